#pragma once

#include <QtGlobal>

// Numeric command ids of the maker's menu 128. Each QAction carries its id
// (QAction::data) so menus, tests and handlers agree on one number.
namespace kestra::cmd {

inline constexpr int kOpenPicture = 32775;   // "画像ファイルを開く(&L)"
inline constexpr int kExit = 57665;          // "終了(&X)"
inline constexpr int kPaste = 32794;         // "貼り付け(&P)"
inline constexpr int kLockRatio = 32792;     // "パズルの比率に固定"
inline constexpr int kCreateData = 32781;    // "データの作成"
inline constexpr int kHelp = 32782;          // "ヘルプ(&H)"
inline constexpr int kAbout = 57664;         // "ﾊﾞｰｼﾞｮﾝ情報(&V)"

// The sixteen puzzle-size commands in menu order, with the size index each selects.
struct SizeCommand {
    int id;
    int sizeIndex;
    const char* label;  // UTF-8, exactly as the Japanese menu shows it
};

inline constexpr SizeCommand kSizeCommands[] = {
    {32779, 0, QT_TRANSLATE_NOOP("CMainFrame", "ﾚｷﾞｭﾗｰ　６３ピース（７×９）")},
    {32780, 1, QT_TRANSLATE_NOOP("CMainFrame", "ﾚｷﾞｭﾗｰ  ８０ピース（１０×８）")},
    {32789, 8, QT_TRANSLATE_NOOP("CMainFrame", "ﾚｷﾞｭﾗｰ  ８０ピース（８×１０）")},
    {32785, 4, QT_TRANSLATE_NOOP("CMainFrame", "ﾚｷﾞｭﾗｰ １０８ﾋﾟｰｽ(１２ × ９)")},
    {32790, 9, QT_TRANSLATE_NOOP("CMainFrame", "ﾚｷﾞｭﾗｰ １０８ﾋﾟｰｽ( ９ ×１２)")},
    {32783, 2, QT_TRANSLATE_NOOP("CMainFrame", "ｽﾓｰﾙ　 １３２ピース（１２×１１）")},
    {32786, 5, QT_TRANSLATE_NOOP("CMainFrame", "ｽﾓｰﾙ   ２０８ピース（１６×１３）")},
    {32784, 3, QT_TRANSLATE_NOOP("CMainFrame", "ﾗｰｼﾞ     ４８ピース（８×６）")},
    {32793, 10, QT_TRANSLATE_NOOP("CMainFrame", "ﾗｰｼﾞ     ４８ピース（６×８）")},
    {32787, 6, QT_TRANSLATE_NOOP("CMainFrame", "ビッグ　　 １２ピース（３×４）")},
    {32788, 7, QT_TRANSLATE_NOOP("CMainFrame", "ビッグ　　 １２ピース（４×３）")},
    {32795, 11, QT_TRANSLATE_NOOP("CMainFrame", "ｽﾓｰﾙ   ３００ﾋﾟｰｽ(20 x 15)")},
    {32796, 12, QT_TRANSLATE_NOOP("CMainFrame", "ｽﾓｰﾙ   ４８０ﾋﾟｰｽ(24 x 20)")},
    {32797, 13, QT_TRANSLATE_NOOP("CMainFrame", "特殊  　   ３０ﾋﾟｰｽ（6×5）")},
    {32799, 14, QT_TRANSLATE_NOOP("CMainFrame", "ｽｰﾊﾟｰｽﾓｰﾙ　750ﾋﾟｰｽ（30×25）")},
    {32798, 15, QT_TRANSLATE_NOOP("CMainFrame", "ｽｰﾊﾟｰｽﾓｰﾙ　1000ﾋﾟｰｽ（40×25）")},
};

}  // namespace kestra::cmd
