#include "editor/view_scroll.h"

namespace {

int Divisor(int line_count) { return line_count > 32765 ? 10 : 1; }

}  // namespace

ScrollRange VerticalScrollRange(int line_count, int rows, int caret_line) {
    if (line_count < rows) return {0, 0, 0};
    int d = Divisor(line_count);
    return {1, (line_count + 1) / d, caret_line / d};
}

int LineOfThumb(int line_count, int thumb) { return thumb * Divisor(line_count); }
