#include "stage/tool_buttons.h"

#include "stage/view_records.h"

namespace {

using P = ToolPanel;
using R = ButtonRole;

// Rows of the tool windows: the camera tools side by side, the tools one per row, the view
// choices two per row.
constexpr int32_t kCameraRow = 4;
constexpr int32_t kRow = 22;
constexpr int32_t kToolsTop = 32;
constexpr int32_t kMode0ViewsTop = kToolsTop + 6 * kRow + 8;
constexpr int32_t kMode1ActionsTop = kToolsTop + 6 * kRow + 8;
constexpr int32_t kMode1CreateTop = kMode1ActionsTop + kRow + 6;
constexpr int32_t kMode1ViewsTop = kMode1CreateTop + 2 * kRow + 8;
// Work windows: an axis switch stands left of each coordinate text window (x 37, 174, 311).
constexpr int32_t kSwitchX[3] = {15, 152, 289};

#define CAMERA_MOVE_HELP                                          \
  "[Function]\n"                                                  \
  "   ビューのカメラを移動する\n"                     \
  "[Operate]\n"                                                   \
  "   ドラッグ: ビューの中身をつかんで動かす\n" \
  "   (透視図では視点を前後左右に、路面移動では道路に沿って動かす)"
#define CAMERA_ROTATE_HELP                    \
  "[Function]\n"                              \
  "   ビューのカメラを回転する\n" \
  "[Operate]\n"                               \
  "   ドラッグ: 透視図のカメラの向きを変える"
#define CAMERA_ZOOM_HELP                         \
  "[Function]\n"                                 \
  "   ビューのカメラをズームする\n" \
  "[Operate]\n"                                  \
  "   上下ドラッグ: ビューを拡大・縮小する"
#define VIEW_HELP(what) \
  "[Function]\n"        \
  "   " what            \
  "を表示する\n"   \
  "[Operate]\n"         \
  "   左クリック: ビューを" what "にする"
#define SPLIT_SETTING_HELP              \
  "[Function]\n"                        \
  "   分割画面の設定を行う\n" \
  "[Operate]\n"                         \
  "   左クリック: 4つの画面に表示するビューを選ぶダイアログを開く"
#define HOLD_HELP(axis, what) \
  "[Function]\n"              \
  "   " axis "軸方向の" what  \
  "を止める\n"            \
  "[Operate]\n"               \
  "   押すと止め、もう一度押すと元に戻す"

constexpr ToolButtonEntry kButtons[] = {
    // Mode window.
    {kMode0Button, "MODE0_BMP", P::kModeWindow, R::kRadio, kModeGroup, 0, 1, 1, 140, 22,
     "[Function]\n"
     "   コースの周りの地形を作成するモード\n"
     "[Operate]\n"
     "   左クリック: 地形ワイヤーと面のテクスチャーを編集するツールにする"},
    {kMode1Button, "MODE1_BMP", P::kModeWindow, R::kRadio, kModeGroup, 1, 143, 1, 140, 22,
     "[Function]\n"
     "   コースの周りのオブジェクトを配置するモード\n"
     "[Operate]\n"
     "   左クリック: オブジェクトを配置・編集するツールにする"},
    // Mode-0 tool window.
    {kMode0CameraMoveButton, "CMRAMOVE_BMP", P::kMode0Tools, R::kRadio, kMode0ToolGroup, 2, 1,
     kCameraRow, 31, 22, CAMERA_MOVE_HELP},
    {kMode0CameraRotateButton, "CMRAROTATE_BMP", P::kMode0Tools, R::kRadio, kMode0ToolGroup, 3, 32,
     kCameraRow, 31, 22, CAMERA_ROTATE_HELP},
    {kMode0CameraZoomButton, "CMRAZOOM_BMP", P::kMode0Tools, R::kRadio, kMode0ToolGroup, 4, 63,
     kCameraRow, 31, 22, CAMERA_ZOOM_HELP},
    {kSelectPartitionButton, "SELECTPAT_BMP", P::kMode0Tools, R::kRadio, kMode0ToolGroup, 5, 1,
     kToolsTop, 93, 22,
     "[Function]\n"
     "   パーテーションを選択する\n"
     "[Operate]\n"
     "   左クリック: クリックしたパーテーションを選択する\n"
     "   (重なっている所では、クリックするたびに次のものを選ぶ)"},
    {kSelectPointToolButton, "SELECTPNT_BMP", P::kMode0Tools, R::kRadio, kMode0ToolGroup, 6, 1,
     kToolsTop + kRow, 93, 22,
     "[Function]\n"
     "   点を選択する\n"
     "[Operate]\n"
     "   左クリック: クリックしたワイヤーの点を選択する"},
    {kWireEditButton, "FACEADD_BMP", P::kMode0Tools, R::kRadio, kMode0ToolGroup, 7, 1,
     kToolsTop + 2 * kRow, 93, 22,
     "[Function]\n"
     "   地形ワイヤーを追加・削除・コピーする\n"
     "[Operate]\n"
     "   左クリック: パーテーションを選択する\n"
     "   下のボタン: 選択パーテーションのワイヤーを編集する"},
    {kPointMoveButton, "PNTMOVE_BMP", P::kMode0Tools, R::kRadio, kMode0ToolGroup, 8, 1,
     kToolsTop + 3 * kRow, 93, 22,
     "[Function]\n"
     "   点を移動する\n"
     "[Operate]\n"
     "   左クリック: 点を選択する\n"
     "   左ドラッグ: 選択点を動かす(上面図・側面図・正面図)\n"
     "   下のX・Y・Z: その軸方向の移動を止める"},
    {kPointGlueButton, "PNTGLUE_BMP", P::kMode0Tools, R::kRadio, kMode0ToolGroup, 12, 1,
     kToolsTop + 4 * kRow, 93, 22,
     "[Function]\n"
     "   点を接着する\n"
     "[Operate]\n"
     "   下のボタンで選択点か接着先を選び、ビューで点を左クリックする\n"
     "   「接着」: 選択点を接着先の点に重ねる"},
    {kFaceAttributeButton, "ATTRIBUTE_BMP", P::kMode0Tools, R::kRadio, kMode0ToolGroup, 15, 1,
     kToolsTop + 5 * kRow, 93, 22,
     "[Function]\n"
     "   面のテクスチャーを設定する\n"
     "[Operate]\n"
     "   左クリック: 面を選択する\n"
     "   SHIFT+左クリック: 面を選択に加える\n"
     "   SHIFT+右クリック: 最後に加えた面を選択から外す"},
    {kMode0TopViewButton, "TOPVIEW_BMP", P::kMode0Tools, R::kRadio, kMode0ViewGroup, 16, 1,
     kMode0ViewsTop, 46, 22, VIEW_HELP("上面図")},
    {kMode0SideViewButton, "SIDEVIEW_BMP", P::kMode0Tools, R::kRadio, kMode0ViewGroup, 17, 48,
     kMode0ViewsTop, 46, 22, VIEW_HELP("側面図")},
    {kMode0FrontViewButton, "FRONTVIEW_BMP", P::kMode0Tools, R::kRadio, kMode0ViewGroup, 18, 1,
     kMode0ViewsTop + kRow, 46, 22, VIEW_HELP("正面図")},
    {kMode0PerspectiveViewButton, "PERSVIEW_BMP", P::kMode0Tools, R::kRadio, kMode0ViewGroup, 19,
     48, kMode0ViewsTop + kRow, 46, 22, VIEW_HELP("透視図")},
    {kMode0PartitionViewButton, "PATVIEW_BMP", P::kMode0Tools, R::kRadio, kMode0ViewGroup, 20, 1,
     kMode0ViewsTop + 2 * kRow, 46, 22, VIEW_HELP("パーテーションビュー")},
    {kMode0SplitViewButton, "DIVVIEW_BMP", P::kMode0Tools, R::kRadio, kMode0ViewGroup, 21, 48,
     kMode0ViewsTop + 2 * kRow, 46, 22, VIEW_HELP("分割画面")},
    {kMode0SplitSettingButton, "DIVSET_BMP", P::kMode0Tools, R::kAction, kNoButtonGroup, -1, 1,
     kMode0ViewsTop + 3 * kRow + 6, 93, 22, SPLIT_SETTING_HELP},
    // Mode-0 work window 0: wires.
    {kLeftAddButton, "LEFTADD_BMP", P::kMode0Work0, R::kAction, kNoButtonGroup, -1, 4, 2, 90, 22,
     "[Function]\n"
     "   左側にワイヤーを追加する\n"
     "[Operate]\n"
     "   選択パーテーションの左側の一番外に、道幅ひとつ分外へワイヤーを足す"},
    {kRightAddButton, "RIGHTADD_BMP", P::kMode0Work0, R::kAction, kNoButtonGroup, -1, 96, 2, 90, 22,
     "[Function]\n"
     "   右側にワイヤーを追加する\n"
     "[Operate]\n"
     "   選択パーテーションの右側の一番外に、道幅ひとつ分外へワイヤーを足す"},
    {kLeftDeleteButton, "LEFTDEL_BMP", P::kMode0Work0, R::kAction, kNoButtonGroup, -1, 192, 2, 90,
     22,
     "[Function]\n"
     "   左側のワイヤーを削除する\n"
     "[Operate]\n"
     "   選択パーテーションの左側の一番外のワイヤーを消す"},
    {kRightDeleteButton, "RIGHTDEL_BMP", P::kMode0Work0, R::kAction, kNoButtonGroup, -1, 284, 2, 90,
     22,
     "[Function]\n"
     "   右側のワイヤーを削除する\n"
     "[Operate]\n"
     "   選択パーテーションの右側の一番外のワイヤーを消す"},
    {kCopyBeforePartitionButton, "COPYBEFOREPAT_BMP", P::kMode0Work0, R::kAction, kNoButtonGroup,
     -1, 380, 2, 140, 22,
     "[Function]\n"
     "   パーテーション座標でコピーする\n"
     "[Operate]\n"
     "   ひとつ前のパーテーションのワイヤーと面を、道路の向きとバンクに合わせて\n"
     "   選択パーテーションへコピーする"},
    {kCopyBeforeWorldButton, "COPYBEFOREWLD_BMP", P::kMode0Work0, R::kAction, kNoButtonGroup, -1,
     522, 2, 140, 22,
     "[Function]\n"
     "   ワールド座標でコピーする\n"
     "[Operate]\n"
     "   ひとつ前のパーテーションのワイヤーと面を、道路の向きに合わせ、\n"
     "   バンクは付けずに選択パーテーションへコピーする"},
    // Mode-0 work window 2: point move switches.
    {kPointMoveXButton, "XSWITCH_BMP", P::kMode0Work2, R::kSwitch, kNoButtonGroup, 9, kSwitchX[0],
     0, 22, 22, HOLD_HELP("X", "移動")},
    {kPointMoveYButton, "YSWITCH_BMP", P::kMode0Work2, R::kSwitch, kNoButtonGroup, 10, kSwitchX[1],
     0, 22, 22, HOLD_HELP("Y", "移動")},
    {kPointMoveZButton, "ZSWITCH_BMP", P::kMode0Work2, R::kSwitch, kNoButtonGroup, 11, kSwitchX[2],
     0, 22, 22, HOLD_HELP("Z", "移動")},
    // Mode-0 work window 3: point glue.
    {kSelectPointButton, "SELECTPOINT_BMP", P::kMode0Work3, R::kRadio, kPointChoiceGroup, 13, 4, 2,
     90, 22,
     "[Function]\n"
     "   選択点を選ぶ\n"
     "[Operate]\n"
     "   押してからビューで左クリックした点が選択点になる"},
    {kSelectGluePointButton, "SELECTGLUEPOINT_BMP", P::kMode0Work3, R::kRadio, kPointChoiceGroup,
     14, 96, 2, 90, 22,
     "[Function]\n"
     "   接着先の点を選ぶ\n"
     "[Operate]\n"
     "   押してからビューで左クリックした点が接着先になる"},
    {kGluePointButton, "GLUEEXE_BMP", P::kMode0Work3, R::kAction, kNoButtonGroup, -1, 192, 2, 80,
     22,
     "[Function]\n"
     "   点を接着する\n"
     "[Operate]\n"
     "   選択点を接着先の点に重ねる\n"
     "   (同じワイヤーの両端なら一つの点になる)"},
    {kUngluePointButton, "UNGLUEEXE_BMP", P::kMode0Work3, R::kAction, kNoButtonGroup, -1, 274, 2,
     90, 22,
     "[Function]\n"
     "   点の接着を解除する\n"
     "[Operate]\n"
     "   選択点のワイヤーの両端を別々に動かせるようにする"},
    // Mode-0 work window 4: textures of the selected faces.
    {kNewTextureButton, "NEWTEX_BMP", P::kMode0Work4, R::kAction, kNoButtonGroup, -1, 4, 2, 124, 22,
     "[Function]\n"
     "   新しいテクスチャーを貼る\n"
     "[Operate]\n"
     "   BMPファイルを選び、選択した面すべてに貼る\n"
     "   (縦横とも2のN乗の大きさの画像)"},
    {kUsedTextureButton, "USEDTEX_BMP", P::kMode0Work4, R::kAction, kNoButtonGroup, -1, 130, 2, 124,
     22,
     "[Function]\n"
     "   使用済みのテクスチャーを貼る\n"
     "[Operate]\n"
     "   ステージで使っている画像から選び、選択した面すべてに貼る"},
    {kInvertTextureButton, "INVERTTEX_BMP", P::kMode0Work4, R::kAction, kNoButtonGroup, -1, 256, 2,
     80, 22,
     "[Function]\n"
     "   テクスチャーを反転する\n"
     "[Operate]\n"
     "   選択した面のテクスチャーを裏返す"},
    {kRotateTextureButton, "ROTATETEX_BMP", P::kMode0Work4, R::kAction, kNoButtonGroup, -1, 338, 2,
     80, 22,
     "[Function]\n"
     "   テクスチャーを回転する\n"
     "[Operate]\n"
     "   選択した面のテクスチャーを90度回す"},
    // Mode-1 tool window.
    {kMode1CameraMoveButton, "CMRAMOVE_BMP", P::kMode1Tools, R::kRadio, kMode1ToolGroup, 22, 1,
     kCameraRow, 31, 22, CAMERA_MOVE_HELP},
    {kMode1CameraRotateButton, "CMRAROTATE_BMP", P::kMode1Tools, R::kRadio, kMode1ToolGroup, 23, 32,
     kCameraRow, 31, 22, CAMERA_ROTATE_HELP},
    {kMode1CameraZoomButton, "CMRAZOOM_BMP", P::kMode1Tools, R::kRadio, kMode1ToolGroup, 24, 63,
     kCameraRow, 31, 22, CAMERA_ZOOM_HELP},
    {kSelectObjectButton, "OBJSELECT_BMP", P::kMode1Tools, R::kRadio, kMode1ToolGroup, 25, 1,
     kToolsTop, 93, 22,
     "[Function]\n"
     "   オブジェクトを選択する\n"
     "[Operate]\n"
     "   左クリック: クリックしたオブジェクトを選択する\n"
     "   (重なっている所では、クリックするたびに次のものを選ぶ)"},
    {kMoveObjectButton, "OBJMOVE_BMP", P::kMode1Tools, R::kRadio, kMode1ToolGroup, 26, 1,
     kToolsTop + kRow, 93, 22,
     "[Function]\n"
     "   オブジェクトを移動する\n"
     "[Operate]\n"
     "   左クリック: オブジェクトを選択する\n"
     "   左ドラッグ: 選択オブジェクトを動かす(1ピクセルで1単位)\n"
     "   下のX・Y・Z: その軸方向の移動を止める"},
    {kRotateObjectButton, "OBJROTATE_BMP", P::kMode1Tools, R::kRadio, kMode1ToolGroup, 30, 1,
     kToolsTop + 2 * kRow, 93, 22,
     "[Function]\n"
     "   オブジェクトを回転する\n"
     "[Operate]\n"
     "   左ドラッグ: 選択オブジェクトを原点の周りに回す\n"
     "   下のボタン: スクリーン座標かオブジェクト座標で回す、X・Y・Zで軸を止める"},
    {kZoomObjectButton, "OBJZOOM_BMP", P::kMode1Tools, R::kRadio, kMode1ToolGroup, 36, 1,
     kToolsTop + 3 * kRow, 93, 22,
     "[Function]\n"
     "   オブジェクトを拡大縮小する\n"
     "[Operate]\n"
     "   上下ドラッグ: 上へ動かすと拡大、下へ動かすと縮小(1%から10000%)\n"
     "   下のX・Y・Z: その軸の大きさを変えない"},
    {kGlueObjectButton, "OBJGLUE_BMP", P::kMode1Tools, R::kRadio, kMode1ToolGroup, 43, 1,
     kToolsTop + 4 * kRow, 93, 22,
     "[Function]\n"
     "   オブジェクトをパーテーションに接着する\n"
     "[Operate]\n"
     "   下のボタンでパーテーションかオブジェクトを選び、ビューで左クリックする\n"
     "   「接着」「解除」: 選択オブジェクトを選択パーテーションに付ける・外す"},
    {kObjectCoordinatesButton, "SETOBJCOOR_BMP", P::kMode1Tools, R::kRadio, kMode1ToolGroup, 46, 1,
     kToolsTop + 5 * kRow, 93, 22,
     "[Function]\n"
     "   オブジェクト座標を設定する\n"
     "[Operate]\n"
     "   「原点移動」が押されている時、左ドラッグで回転と拡大縮小の中心を動かす\n"
     "   「リセット」: 中心と軸をオブジェクトに戻す"},
    {kObjectValueButton, "OBJVALUE_BMP", P::kMode1Tools, R::kAction, kNoButtonGroup, 40, 1,
     kMode1ActionsTop, 31, 22,
     "[Function]\n"
     "   オブジェクトの値を数値で設定する\n"
     "[Operate]\n"
     "   位置・回転(度)・倍率(%)を入力するダイアログを開く"},
    {kCopyObjectButton, "OBJCOPY_BMP", P::kMode1Tools, R::kAction, kNoButtonGroup, 41, 32,
     kMode1ActionsTop, 31, 22,
     "[Function]\n"
     "   オブジェクトをコピーする\n"
     "[Operate]\n"
     "   選択オブジェクトの複製を各軸に10ずらして作る"},
    {kDeleteObjectButton, "OBJDELETE_BMP", P::kMode1Tools, R::kAction, kNoButtonGroup, 42, 63,
     kMode1ActionsTop, 31, 22,
     "[Function]\n"
     "   オブジェクトを削除する\n"
     "[Operate]\n"
     "   選択オブジェクトを削除する"},
    {kCreateBitmapObjectButton, "CREATEBMPOBJ_BMP", P::kMode1Tools, R::kAction, kNoButtonGroup, -1,
     1, kMode1CreateTop, 93, 22,
     "[Function]\n"
     "   ビットマップオブジェクトを作成する\n"
     "[Operate]\n"
     "   テンプレートを選び、画像を設定して選択パーテーションの左端に作る"},
    {kCreateBackgroundObjectButton, "CREATEBACKOBJ_BMP", P::kMode1Tools, R::kAction, kNoButtonGroup,
     -1, 1, kMode1CreateTop + kRow, 93, 22,
     "[Function]\n"
     "   背景オブジェクトを作成する\n"
     "[Operate]\n"
     "   テンプレートを選び、画像を設定して作る(前の背景は消える)"},
    {kMode1TopViewButton, "TOPVIEW_BMP", P::kMode1Tools, R::kRadio, kMode1ViewGroup, 48, 1,
     kMode1ViewsTop, 46, 22, VIEW_HELP("上面図")},
    {kMode1SideViewButton, "SIDEVIEW_BMP", P::kMode1Tools, R::kRadio, kMode1ViewGroup, 49, 48,
     kMode1ViewsTop, 46, 22, VIEW_HELP("側面図")},
    {kMode1FrontViewButton, "FRONTVIEW_BMP", P::kMode1Tools, R::kRadio, kMode1ViewGroup, 50, 1,
     kMode1ViewsTop + kRow, 46, 22, VIEW_HELP("正面図")},
    {kMode1PerspectiveViewButton, "PERSVIEW_BMP", P::kMode1Tools, R::kRadio, kMode1ViewGroup, 51,
     48, kMode1ViewsTop + kRow, 46, 22, VIEW_HELP("透視図")},
    {kMode1SplitViewButton, "DIVVIEW_BMP", P::kMode1Tools, R::kRadio, kMode1ViewGroup, 53, 1,
     kMode1ViewsTop + 2 * kRow, 46, 22, VIEW_HELP("分割画面")},
    {kMode1SplitSettingButton, "DIVSET_BMP", P::kMode1Tools, R::kAction, kNoButtonGroup, -1, 1,
     kMode1ViewsTop + 3 * kRow + 6, 93, 22, SPLIT_SETTING_HELP},
    // Mode-1 work window 0: move switches.
    {kMoveObjectXButton, "XSWITCH_BMP", P::kMode1Work0, R::kSwitch, kNoButtonGroup, 27, kSwitchX[0],
     0, 22, 22, HOLD_HELP("X", "移動")},
    {kMoveObjectYButton, "YSWITCH_BMP", P::kMode1Work0, R::kSwitch, kNoButtonGroup, 28, kSwitchX[1],
     0, 22, 22, HOLD_HELP("Y", "移動")},
    {kMoveObjectZButton, "ZSWITCH_BMP", P::kMode1Work0, R::kSwitch, kNoButtonGroup, 29, kSwitchX[2],
     0, 22, 22, HOLD_HELP("Z", "移動")},
    // Mode-1 work window 1: rotate switches and axes.
    {kRotateObjectXButton, "XSWITCH_BMP", P::kMode1Work1, R::kSwitch, kNoButtonGroup, 31,
     kSwitchX[0], 0, 22, 22, HOLD_HELP("X", "回転")},
    {kRotateObjectYButton, "YSWITCH_BMP", P::kMode1Work1, R::kSwitch, kNoButtonGroup, 32,
     kSwitchX[1], 0, 22, 22, HOLD_HELP("Y", "回転")},
    {kRotateObjectZButton, "ZSWITCH_BMP", P::kMode1Work1, R::kSwitch, kNoButtonGroup, 33,
     kSwitchX[2], 0, 22, 22, HOLD_HELP("Z", "回転")},
    {kScreenAxesButton, "SCRCOOR_BMP", P::kMode1Work1, R::kRadio, kRotateAxesGroup, 34, 430, 0, 110,
     22,
     "[Function]\n"
     "   スクリーン座標で回転させる\n"
     "[Operate]\n"
     "   ドラッグの向きに合わせ、ビューの軸の周りに回す"},
    {kObjectAxesButton, "OBJCOOR_BMP", P::kMode1Work1, R::kRadio, kRotateAxesGroup, 35, 542, 0, 110,
     22,
     "[Function]\n"
     "   オブジェクト座標で回転させる\n"
     "[Operate]\n"
     "   オブジェクト座標の軸の周りに回す"},
    // Mode-1 work window 2: zoom switches.
    {kZoomObjectXButton, "XSWITCH_BMP", P::kMode1Work2, R::kSwitch, kNoButtonGroup, 37, kSwitchX[0],
     0, 22, 22, HOLD_HELP("X", "拡大縮小")},
    {kZoomObjectYButton, "YSWITCH_BMP", P::kMode1Work2, R::kSwitch, kNoButtonGroup, 38, kSwitchX[1],
     0, 22, 22, HOLD_HELP("Y", "拡大縮小")},
    {kZoomObjectZButton, "ZSWITCH_BMP", P::kMode1Work2, R::kSwitch, kNoButtonGroup, 39, kSwitchX[2],
     0, 22, 22, HOLD_HELP("Z", "拡大縮小")},
    // Mode-1 work window 3: glue.
    {kSelectGluePartitionButton, "SELECTGLUEPAT_BMP", P::kMode1Work3, R::kRadio, kGlueChoiceGroup,
     44, 4, 2, 110, 22,
     "[Function]\n"
     "   接着するパーテーションを選ぶ\n"
     "[Operate]\n"
     "   押してからビューで左クリックしたパーテーションを選択する"},
    {kSelectGlueObjectButton, "SELECTGLUEOBJ_BMP", P::kMode1Work3, R::kRadio, kGlueChoiceGroup, 45,
     116, 2, 110, 22,
     "[Function]\n"
     "   接着するオブジェクトを選ぶ\n"
     "[Operate]\n"
     "   押してからビューで左クリックしたオブジェクトを選択する"},
    {kGlueButton, "GLUE_BMP", P::kMode1Work3, R::kAction, kNoButtonGroup, -1, 232, 2, 80, 22,
     "[Function]\n"
     "   オブジェクトを接着する\n"
     "[Operate]\n"
     "   選択オブジェクトを選択パーテーションに付ける\n"
     "   (接着したパーテーションの近くにいる時だけ表示される)"},
    {kUnglueButton, "UNGLUE_BMP", P::kMode1Work3, R::kAction, kNoButtonGroup, -1, 314, 2, 80, 22,
     "[Function]\n"
     "   オブジェクトの接着を解除する\n"
     "[Operate]\n"
     "   選択オブジェクトを選択パーテーションから外す"},
    // Mode-1 work window 4: object coordinates.
    {kMoveObjectCoordinatesButton, "MOVEOBJCOOR_BMP", P::kMode1Work4, R::kSwitch, kNoButtonGroup,
     47, 4, 2, 110, 22,
     "[Function]\n"
     "   オブジェクト座標の原点を移動する\n"
     "[Operate]\n"
     "   押されている時、左ドラッグで原点だけを動かす(オブジェクトは動かない)"},
    {kResetMoveButton, "RESETMOVE_BMP", P::kMode1Work4, R::kAction, kNoButtonGroup, -1, 116, 2, 110,
     22,
     "[Function]\n"
     "   オブジェクト座標をリセットする\n"
     "[Operate]\n"
     "   原点・軸・倍率をオブジェクトの位置・回転・ズームに戻す"},
};

constexpr int32_t kButtonCount = static_cast<int32_t>(sizeof(kButtons) / sizeof(kButtons[0]));

}  // namespace

int32_t ToolButtonCount() { return kButtonCount; }

const ToolButtonEntry& ToolButtonAt(int32_t index) { return kButtons[index]; }

const ToolButtonEntry* FindToolButton(int32_t id) {
  for (const ToolButtonEntry& entry : kButtons) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

ToolPanel WorkPanelOfTool(int32_t tool_id) {
  switch (tool_id) {
    case kWireEditButton:
      return P::kMode0Work0;
    case kPointMoveButton:
      return P::kMode0Work2;
    case kPointGlueButton:
      return P::kMode0Work3;
    case kFaceAttributeButton:
      return P::kMode0Work4;
    case kMoveObjectButton:
      return P::kMode1Work0;
    case kRotateObjectButton:
      return P::kMode1Work1;
    case kZoomObjectButton:
      return P::kMode1Work2;
    case kGlueObjectButton:
      return P::kMode1Work3;
    case kObjectCoordinatesButton:
      return P::kMode1Work4;
    default:
      return P::kNone;
  }
}

ToolPanel ToolPanelOfMode(int32_t mode) { return mode == 0 ? P::kMode0Tools : P::kMode1Tools; }

int32_t ModeOfPanel(ToolPanel panel) {
  if (panel == P::kModeWindow || panel == P::kNone) return -1;
  return panel < P::kMode1Tools ? 0 : 1;
}

const char* PanelClassName(ToolPanel panel) {
  switch (panel) {
    case P::kModeWindow:
      return "ModeWindow_modectrl1";
    case P::kMode0Tools:
      return "GroupWindow_mode0button1";
    case P::kMode0Work0:
      return "Mode0Work0Wnd_mode0work0button1";
    case P::kMode0Work1:
      return "Mode0Work1Wnd_mode0work1button1";
    case P::kMode0Work2:
      return "Mode0Work2Wnd_mode0work2button1";
    case P::kMode0Work3:
      return "Mode0Work3Wnd_mode0work3button1";
    case P::kMode0Work4:
      return "Mode0Work4Wnd_mode0work4button1";
    case P::kMode1Tools:
      return "GroupWindow_mode1button1";
    case P::kMode1Work0:
      return "Mode1Work0Wnd_mode1work0button1";
    case P::kMode1Work1:
      return "Mode1Work1Wnd_mode1work1button1";
    case P::kMode1Work2:
      return "Mode1Work2Wnd_mode1work2button1";
    case P::kMode1Work3:
      return "Mode1Work3Wnd_mode1work3button1";
    case P::kMode1Work4:
      return "Mode1Work4Wnd_mode1work4button1";
    default:
      return "";
  }
}

int32_t ViewChoiceOfButton(int32_t id) {
  switch (id) {
    case kMode0TopViewButton:
    case kMode1TopViewButton:
      return kTopViewKind;
    case kMode0SideViewButton:
    case kMode1SideViewButton:
      return kSideViewKind;
    case kMode0FrontViewButton:
    case kMode1FrontViewButton:
      return kFrontViewKind;
    case kMode0PerspectiveViewButton:
    case kMode1PerspectiveViewButton:
      return kPerspectiveViewKind;
    case kMode0PartitionViewButton:
      return kPartitionViewKind;
    case kMode0SplitViewButton:
    case kMode1SplitViewButton:
      return kSplitViewChoice;
    default:
      return kNoViewChoice;
  }
}

bool IsViewButton(int32_t id) { return ViewChoiceOfButton(id) != kNoViewChoice; }

bool IsSplitSettingButton(int32_t id) {
  return id == kMode0SplitSettingButton || id == kMode1SplitSettingButton;
}
