#pragma once
// Application of EditScripts: "d L N" deletes N lines from line L, "a L N" adds the N
// lines that follow after line L. Line numbers refer to the text the script is applied to.
#include <string>
#include <string_view>

#include "cms/text_file.h"

enum class ScriptOrigin {
    Archive,  // a text string of an archive, "@" already undoubled; its end ends the script
    File,     // a script file (patch) read literally; an "@" where a command begins ends it
};

// Applies script to source into result; the added lines of result point into script, the
// others into whatever source points into. False with the message in error on a bad script.
bool ApplyEditScript(const LineList& source, std::string_view script, ScriptOrigin origin, LineList& result,
                     std::string& error);
