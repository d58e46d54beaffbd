// Everything a program's forms need.
#pragma once

#include "forms/app.h"
#include "forms/control.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/host.h"
#include "forms/keys.h"
#include "forms/picture_box.h"
#include "forms/start_up.h"
#include "forms/types.h"
#include "forms/window_frame.h"
