#pragma once
// Marked ranges: stretches of a document that other tools highlight (the diff viewer's
// hunks, for one), kept in the document's list by start line; the view draws them in
// the marked-range colour.
#include <cstdint>
#include <vector>

#include "editor/line_colouring.h"
#include "editor/text_document.h"

// Lines are 1-based; columns are character indices, the end column exclusive. A range
// that ends past its last line's text covers the rest of that line.
struct MarkedRange {
    MarkedRange* next;
    int32_t start_line, end_line;
    int32_t start_column, end_column;
};

// Adds a range to the document's list in start order; false when out of memory.
bool AddMarkedRange(TextDocument* doc, int start_line, int start_column, int end_line, int end_column);
void ClearMarkedRanges(TextDocument* doc);
int MarkedRangeCount(const TextDocument* doc);

// Drops the ranges that no longer fit the document, each with "InternalError 4201"
// (it ends before it starts) or "InternalError 4202" (it ends past the last line).
void DropInvalidMarkedRanges(TextDocument* doc);

// The expanded columns [start, start + length) of line `number` that marked ranges cover.
struct ColumnSpan {
    int start, length;
};
std::vector<ColumnSpan> MarkedColumns(const TextDocument* doc, int number, const TextLine* line, int tab_width);

// Splits the colour spans of a row so that the parts inside `marked` get kind Marked.
std::vector<ColourSpan> OverlayMarked(const std::vector<ColourSpan>& spans, const std::vector<ColumnSpan>& marked);
