// Describes a puzzle file: its size, format, colours and attached message.
// Exits with status 1 and the reader's message when the file is not a valid
// puzzle.
#include <cstdio>
#include <exception>

#include "format_error.h"
#include "jzt_file.h"
#include "message_text.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PUZZLE.jzt\n", argv[0]);
        return 2;
    }
    try {
        const jigsaw::JztPuzzle puzzle = jigsaw::readJztFile(argv[1]);
        const jigsaw::JztHeader& h = puzzle.header;
        const jigsaw::PuzzleGeometry& g = h.geometry;
        std::printf("%s\n", argv[1]);
        std::printf("  パズル: %d ピース（%d × %d）、サイズ番号 %d、絵 %d × %d ピクセル\n", g.pieceCount(), g.cols,
                    g.rows, h.sizeIndex, g.width(), g.height());
        std::printf("  形式: %s、%s\n",
                    h.dataFormat == jigsaw::DataFormat::Large ? "一般用データ（サイズ大）" : "配布用データ（サイズ小）",
                    h.colorFormat == jigsaw::ColorFormat::Indexed ? "256 色" : "フルカラー");
        std::printf("  メッセージ（%s）:\n", h.showMessage == 1 ? "開くときに表示" : "表示しない");
        for (const std::string& line : h.messageLines)
            std::printf("    %s\n", jigsaw::cp932ToUtf8(line).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
