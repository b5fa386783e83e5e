#include "editor/text_macros.h"

#include <gtest/gtest.h>

#include "editor/edit_typing.h"
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

}  // namespace
