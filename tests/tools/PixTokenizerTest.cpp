// The word splitter under the picture source format: quotes, escapes and comments.
#include <string>

#include <gtest/gtest.h>

#include "tools/pix/PixError.h"
#include "tools/pix/Tokenizer.h"

using namespace pix;

TEST(PixTokenizerTest, QuotesEscapesAndComments) {
    const SourcePos pos{"t.pix", 3};
    const auto words = Tokenizer::split("text 1 2 \"two words\" \"say \\\"hi\\\"\" \"\"", pos);
    ASSERT_EQ(words.size(), 6u);
    EXPECT_EQ(words[3], "two words");
    EXPECT_EQ(words[4], "say \"hi\"");
    EXPECT_EQ(words[5], "");
    EXPECT_EQ(Tokenizer::stripComment("rect 0 0 1 1 #ff0000 # red"), "rect 0 0 1 1 #ff0000 ");
    EXPECT_EQ(Tokenizer::stripComment("text \"# not a comment\""), "text \"# not a comment\"");
    try {
        Tokenizer::split("text \"open", pos);
        FAIL() << "an unterminated quote must be refused";
    } catch (const PixError& e) {
        EXPECT_EQ(std::string(e.what()), "t.pix:3: unterminated quoted text");
    }
}
