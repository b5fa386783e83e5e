#pragma once
// The plain request dialogs of the CMS commands: a few lines of information, labelled
// text fields and check boxes, OK and Cancel. Fields hold the defaults and the answers.
#include <string>
#include <vector>

struct FormText {
    const char* label;
    std::string* text;
    bool multiline = false;
};

struct FormCheck {
    const char* label;
    bool* value;
};

// False on Cancel; the answers are then left as they were.
bool RunForm(const char* title, const std::string& information, const std::vector<FormText>& texts,
             const std::vector<FormCheck>& checks);
