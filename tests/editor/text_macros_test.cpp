#include "editor/text_macros.h"

#include <gtest/gtest.h>

#include "editor/edit_typing.h"
#include "editor/macro_page.h"
#include "tests/editor/edit_fixture.h"

namespace {

TEST(TextMacros, CtrlLetterInsertsTheMacroAndPlacesTheCaret) {
    Configuration config;
    config.macros = {{"E", 4, "else {\n}"}, {"f", 0, "for"}, {"E", 5, "else\n{"}};
    LoadMacros(config);
    ASSERT_EQ(Macros().size(), 2u);  // the later "E" replaced the first
    EditFixture f("x\n");
    f.Caret(1, 1);
    EXPECT_TRUE(TypeCharacter(&f.cursor, 5, 1, true));  // Ctrl+E
    EXPECT_EQ(f.Text(), "xelse\n{\n");
    EXPECT_EQ(f.cursor.caret.number, 2);
    EXPECT_EQ(f.cursor.caret.column, 0);
    EXPECT_TRUE(Undo(&f.cursor));
    EXPECT_EQ(f.Text(), "x\n");
    EXPECT_FALSE(TypeCharacter(&f.cursor, 7, 1, true));  // Ctrl+G: no macro
    EXPECT_TRUE(TypeCharacter(&f.cursor, 6, 1, true));   // Ctrl+F finds the lower-case code
    EXPECT_EQ(f.Text(), "xfor\n");
    Configuration saved;
    SaveMacros(saved);
    EXPECT_EQ(saved.macros, Macros());
}

TEST(MacroPage, KeyFieldAndTextFieldConversions) {
    for (const char* key : {"a", "Z"}) EXPECT_TRUE(IsMacroKey(key)) << key;
    for (const char* key : {"", "ab", "1", "_", "\xe9"}) EXPECT_FALSE(IsMacroKey(key)) << key;
    const std::string text = "if () {\n\t\n}";
    const std::string field = MacroTextForField(text);
    EXPECT_EQ(field, "if () {\r\n\t\r\n}");
    EXPECT_EQ(MacroTextFromField(field), text);
    // The caret after the tab: offset 10 in the field, position 9 in the macro, and back.
    EXPECT_EQ(MacroPositionFromField(field, 10), 9);
    EXPECT_EQ(FieldOffsetOfPosition(text, 9), 10);
    EXPECT_EQ(MacroPositionFromField(field, 999), static_cast<int>(text.size()));
}

}  // namespace
