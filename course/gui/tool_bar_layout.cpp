#include "course/gui/tool_bar_layout.h"

namespace {

constexpr ToolBarButton kButtons[kToolBarButtonCount] = {
    {100, "EDITBUTTON_BMP", 0, 0, 91, 22, kToolGroup,
     "[Function]\n"
     "  コースのデザインの編集を行う\n"
     "[Operate]\n"
     "  左クリック: 点の上なら点を選択、選択点のハンドルの端ならハンドルを選択、\n"
     "              何もない所なら選択点の次に点を追加して選択\n"
     "  右クリック: 点の上なら点を削除、ハンドルの端ならハンドルを自由にする\n"
     "  左ドラッグ: 選択した点またはハンドルを動かす\n"
     "  展開図(上): 端をクリックして幅を選択、ドラッグで幅を変える\n"
     "  展開図(横): 点をドラッグして高さを変える\n"
     "  ポイントパラメータ: 印をドラッグしてロールを変える"},
    {101, "SAMPLEBUTTON_BMP", 0, 22, 91, 22, kToolGroup,
     "[Function]\n"
     "  サンプル数を変える\n"
     "[Operate]\n"
     "  左クリック: 点を選択\n"
     "  左ドラッグ: 下へ動かすと選択点のサンプル数が増え、上へ動かすと減る\n"
     "              (1ピクセルで1サンプル、0より少なくはならない)"},
    {102, "WIDTHBUTTON_BMP", 0, 44, 91, 22, kToolGroup,
     "[Function]\n"
     "  コース幅を全体に変える\n"
     "[Operate]\n"
     "  左ドラッグ: 下へ動かすとコース全体の幅が広がり、上へ動かすと狭まる\n"
     "              (1ピクセルで倍率0.1、0.01より小さくはならない)"},
    {103, "LOOPBUTTON_BMP", 0, 66, 91, 22, kToggleGroup,
     "[Function]\n"
     "  コースをループにする\n"
     "[Operate]\n"
     "  左クリック: 押すと最後の点と最初の点がつながり、もう一度押すと離れる"},
    {104, "CMRAMOVEBUTTON_BMP", 0, 98, 91, 22, kToolGroup,
     "[Function]\n"
     "  カメラを移動させる\n"
     "[Operate]\n"
     "  左ドラッグ: ビューの中身をつかんで動かす\n"
     "              (展開図ではコースに沿ってだけ動く)"},
    {105, "CMRAZOOMBUTTON_BMP", 0, 120, 91, 22, kToolGroup,
     "[Function]\n"
     "  カメラを倍率を変える\n"
     "[Operate]\n"
     "  左ドラッグ: 上へ動かすと拡大、下へ動かすと縮小"},
    {107, "TOPVIEWBUTTON_BMP", 0, 152, 45, 22, kViewGroup,
     "[Function]\n"
     "  上から見たビューを表示する\n"
     "[Operate]\n"
     "  左クリック: ビューを上面図ひとつにする"},
    {108, "SIDEVIEWBUTTON_BMP", 45, 152, 45, 22, kViewGroup,
     "[Function]\n"
     "  横から見たビューを表示する\n"
     "[Operate]\n"
     "  左クリック: ビューを側面図ひとつにする"},
    {109, "FRONTVIEWBUTTON_BMP", 0, 174, 45, 22, kViewGroup,
     "[Function]\n"
     "  前から見たビューを表示する\n"
     "[Operate]\n"
     "  左クリック: ビューを正面図ひとつにする"},
    {111, "EXPANDTOPBUTTON_BMP", 0, 196, 45, 22, kViewGroup,
     "[Function]\n"
     "  コースを伸ばして上から見た展開図(幅)を表示する\n"
     "[Operate]\n"
     "  左クリック: ビューを展開図(上)ひとつにする"},
    {112, "EXPANDSIDEBUTTON_BMP", 45, 196, 45, 22, kViewGroup,
     "[Function]\n"
     "  コースを伸ばして横から見た展開図(高さ)を表示する\n"
     "[Operate]\n"
     "  左クリック: ビューを展開図(横)ひとつにする"},
    {113, "DIVVIEWBUTTON_BMP", 0, 228, 91, 22, kViewGroup,
     "[Function]\n"
     "  上面図・側面図・正面図・ポイントパラメータを4分割で表示する\n"
     "[Operate]\n"
     "  左クリック: 4分割のビューにする"},
    {114, "HEIGHTVIEWBUTTON_BMP", 0, 250, 91, 22, kViewGroup,
     "[Function]\n"
     "  高さの編集: 上面図とプレビューの下に展開図(横)を表示する\n"
     "[Operate]\n"
     "  左クリック: 高さ編集のビューにする"},
    {115, "WIDTHVIEWBUTTON_BMP", 0, 272, 91, 22, kViewGroup,
     "[Function]\n"
     "  幅の編集: 左に上面図とプレビュー、右に展開図(上)を表示する\n"
     "[Operate]\n"
     "  左クリック: 幅編集のビューにする"},
    {116, "ROLLVIEWBUTTON_BMP", 0, 294, 91, 22, kViewGroup,
     "[Function]\n"
     "  ロールの編集: 上面図・プレビュー・ポイントパラメータを表示する\n"
     "[Operate]\n"
     "  左クリック: ロール編集のビューにする"},
};

}  // namespace

const ToolBarButton* ToolBarButtons() { return kButtons; }

const ToolBarButton* FindToolBarButton(int32_t id) {
  for (const ToolBarButton& button : kButtons) {
    if (button.id == id) return &button;
  }
  return nullptr;
}
