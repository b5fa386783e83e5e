#pragma once
// The file information dialog of a document: its texts, and what OK does to the file
// processor of a project file.
#include <cstdint>
#include <string>

#include "project/project.h"

struct FileFacts {
    std::string path;
    int caret_line = 1, caret_column = 1;  // from 1
    long bytes_before_caret = 0, bytes = 0;
    int lines = 0;
    int mark_line = 0, mark_column = 0;  // from 1; 0 when no mark is set
    std::string language;                // empty when the document has none
    int functions = 0;
};

struct FileInfoTexts {
    std::string title, position, size, marks, language;
};

FileInfoTexts DescribeFile(const FileFacts& facts);

// The project file that is `path`, by full name or by last component; empty when none.
std::string ProjectFileFor(const Project& p, const std::string& path);

// The processor fields shown for a project file: its processor, or the default tool and output.
void ProcessorFields(const Project& p, const std::string& file, std::string& command, std::string& output);

// OK on the processor fields. False (reported) keeps the dialog open.
bool ApplyProcessorFields(Project& p, const std::string& file, const std::string& command, const std::string& output);
