#include "gallery_form.h"

#include <string>

namespace gallery {

GalleryForm::GalleryForm() : Form(L"Form1") {
    SetCaption(L"部品の一覧 — フォームの見本");
    SetBorderStyle(1);
    Move(600, 600, 9000, 6300);

    Label1.SetCaption(L"ラベル: 吹き出しの大きさ");
    Label1.Move(240, 180, 3000, 300);
    Command1.SetCaption(L"決定(&O)");
    Command1.SetToolTip(L"ボタンのヒント");
    Command1.Move(240, 540, 1440, 420);
    Check1.SetCaption(L"編集終了時にデータを保存");
    Check1.SetValue(1);
    Check1.Move(240, 1080, 3300, 300);
    Check2.SetCaption(L"灰色の選択肢");
    Check2.SetValue(2);
    Check2.Move(240, 1440, 3300, 300);

    Frame1.SetCaption(L"吹き出しの方向");
    Frame1.Move(240, 1860, 3300, 1380);
    const wchar_t* directions[] = {L"上", L"下", L"左"};
    for (int i = 0; i < 3; ++i) {
        forms::OptionButton& option = Option1.Load(i);
        option.SetContainer(&Frame1);
        option.SetCaption(directions[i]);
        option.Move(240 + i * 1000, 420, 900, 300);
        option.SetVisible(true);
    }
    Option1[1].SetValue(true);

    Text1.SetText(L"第１文字列");
    Text1.SetMaxLength(10);
    Text1.Move(240, 3420, 3300, 330);
    Text2.SetMultiLine(true);
    Text2.SetScrollBars(2);
    Text2.SetText(L"複数行のテキスト\r\n二行目の文字列");
    Text2.Move(240, 3900, 3300, 900);

    List1.Move(3840, 180, 2400, 1500);
    for (const wchar_t* item : {L"国語", L"数学", L"理科", L"社会"}) {
        List1.AddItem(item);
    }
    List1.SetListIndex(1);
    Combo1.SetStyle(2);
    Combo1.Move(3840, 1860, 2400, 330);
    Combo1.AddItem(L"選択のみの一覧");
    Combo1.AddItem(L"二番目");
    Combo1.SetListIndex(0);
    Combo2.Move(3840, 2340, 2400, 330);
    Combo2.AddItem(L"17.3inch 1024*768");
    Combo2.SetText(L"編集できる一覧");

    Picture1.Move(3840, 2820, 2400, 1980);
    Picture1.SetBackground(forms::kWhite);
    VScroll1.Move(6360, 180, 300, 4620);
    VScroll1.SetRange(0, 100);
    VScroll1.SetValue(30);
    Line1.SetEnds(240, 5040, 6600, 5040);
    Label2.SetCaption(L"タイマー: 0");
    Label2.Move(6840, 180, 1800, 300);

    MNU_File.SetCaption(L"ファイル(&F)");
    MNU_Open.SetCaption(L"開く(&O)...");
    MNU_Pipe1.SetCaption(L"-");
    MNU_Exit.SetCaption(L"終了(&X)");
    MNU_View.SetCaption(L"表示(&V)");
    MNU_Front.SetCaption(L"常に手前に表示(&A)");
    MNU_Front.SetChecked(true);

    Timer1.SetInterval(1000);
    Timer1.Tick = [this] { Label2.SetCaption(L"タイマー: " + std::to_wstring(++ticks_)); };
    MNU_Exit.Click = [this] { Unload(); };
    OnLoad = [this] { DrawPicture(); };
}

void GalleryForm::DrawPicture() {
    Picture1.SetFillStyle(0);
    Picture1.SetFillColor(0x00C0FF);
    Picture1.Circle(600, 600, 450, 0x0000C0);
    Picture1.FilledBox(1200, 150, 2100, 750, 0xC06000);
    Picture1.SetDrawWidth(2);
    Picture1.Line(150, 1200, 2100, 1200, 0x008000);
    Picture1.SetFillColor(0x80FF80);
    Picture1.Polygon({{300, 1800}, {1050, 1350}, {1800, 1800}});
    Picture1.SetCurrent(150, 1380);
    Picture1.Print(L"絵");
}

}  // namespace gallery
