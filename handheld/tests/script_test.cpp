// Reading scripts of steps.
#include "script.h"

#include <gtest/gtest.h>

namespace handheld {
namespace {

TEST(ScriptTest, StepsKeepTheirLinesAndQuotedWords) {
  Script script;
  std::string error;
  ASSERT_TRUE(ParseScript("# comment\n\n  start \"\\Windows\\a b.exe\" x  \"\"\r\nreboot\n",
                          &script, &error))
      << error;
  ASSERT_EQ(script.steps.size(), 2u);
  EXPECT_EQ(script.steps[0].line, 3);
  EXPECT_EQ(script.steps[0].command, "start");
  EXPECT_EQ(script.steps[0].arguments, (std::vector<std::string>{"\\Windows\\a b.exe", "x", ""}));
  EXPECT_EQ(script.steps[1].line, 4);
  EXPECT_TRUE(script.steps[1].arguments.empty());
}

TEST(ScriptTest, UnclosedQuoteNamesTheLine) {
  Script script;
  std::string error;
  EXPECT_FALSE(ParseScript("echo fine\necho \"broken\n", &script, &error));
  EXPECT_EQ(error, "line 2: unclosed quote");
}

}  // namespace
}  // namespace handheld
