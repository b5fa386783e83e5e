#pragma once
// The vertical scroll bar of a view: hidden (0 to 0) while the document fits in the
// window; else 1 to the line count + 1, all divided by 10 beyond 32765 lines so that the
// range fits the bar's 16 bits.
struct ScrollRange {
    int min, max, position;
};

ScrollRange VerticalScrollRange(int line_count, int rows, int caret_line);
// The line a thumb position stands for.
int LineOfThumb(int line_count, int thumb);
