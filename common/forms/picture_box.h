// The picture box: a container with a persistent drawing that can be read back as pixels.
#pragma once

#include <string>

#include "forms/control.h"
#include "forms/drawing.h"

namespace forms {

class PictureBox : public Control, public Drawing {
  public:
    PictureBox(Form& form, std::wstring name);

    void Move(double left, double top, double width, double height) override;

    int BorderStyle() const { return borderStyle_; }  // 0 none, 1 fixed single
    void SetBorderStyle(int style);
    int Appearance() const { return appearance_; }  // 0 flat, 1 three-dimensional
    void SetAppearance(int appearance);
    bool AutoSize() const { return autoSize_; }
    // With AutoSize on, the box takes the size of its picture.
    void SetAutoSize(bool autoSize);
    // Back colour also clears the drawing, as setting it does on screen.
    void SetBackground(Color color);

    // The inner area (inside the border).
    int PixelWidth() const override;
    int PixelHeight() const override;

    void CopyDesignFrom(const Control& other) override;

  protected:
    Color DrawingBackColor() const override { return BackColor(); }
    Color DrawingForeColor() const override { return ForeColor(); }
    const forms::Font& DrawingFont() const override { return Font(); }
    void DrawingChanged() override { Notify(Aspect::Picture); }
    void PictureChanged() override;

  private:
    int borderStyle_ = 1;
    int appearance_ = 1;
    bool autoSize_ = false;
};

}  // namespace forms
