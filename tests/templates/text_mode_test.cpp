// What reaches the document for a given template file: text-mode reading, byte for byte.
#include "insertion_fixture.h"

#include "support/same_bytes.h"

#include <cstdint>
#include <random>

namespace {

using namespace std::string_literals;

constexpr std::size_t kChunk = 4096; // the reader's buffer; CR LF pairs straddle it below

struct TextCase {
    const char* name;
    std::string file;
    std::string document;
};

std::string run(std::size_t count, char byte = 'x') {
    return std::string(count, byte);
}

const TextCase kTextCases[] = {
    {"plain text", "room r;\nr.name = \"Hall\";\n", "room r;\nr.name = \"Hall\";\n"},
    {"empty file", "", ""},
    {"CR LF reads as LF", "a;\r\nb;\r\n", "a;\nb;\n"},
    {"lone CR inside a line stays", "a\rb\n", "a\rb\n"},
    {"CR as the last byte", "a\r", "a\r"},
    {"CR CR LF keeps the first CR", "a\r\r\nb", "a\r\nb"},
    {"LF CR is not a pair", "a\n\rb", "a\n\rb"},
    {"0x1A ends the content",
     "ab\x1A"
     "cd",
     "ab"},
    {"0x1A as the first byte",
     "\x1A"
     "abc",
     ""},
    {"CR before 0x1A stays", "a\r\x1A\r\n", "a\r"},
    {"0xFF does not end the text",
     "\xFF\xFE"
     "a\xFF",
     "\xFF\xFE"
     "a\xFF"},
    {"NUL bytes are inserted", "a\0b\0"s, "a\0b\0"s},
    {"CR LF split by the buffer", run(kChunk - 1) + "\r\ny", run(kChunk - 1) + "\ny"},
    {"lone CR at the buffer's end", run(kChunk - 1) + "\rz", run(kChunk - 1) + "\rz"},
    {"CR at the buffer's end, then 0x1A",
     run(kChunk - 1) + "\r\x1A"
                       "tail",
     run(kChunk - 1) + "\r"},
    {"0x1A first in a new buffer",
     run(kChunk) + "\x1A"
                   "tail",
     run(kChunk)},
    {"CR LF split at every buffer", run(kChunk - 1) + "\r\n" + run(kChunk - 2) + "\r\n" + "end",
     run(kChunk - 1) + "\n" + run(kChunk - 2) + "\n" + "end"},
    {"file ends exactly at the buffer", run(kChunk - 2) + "\r\n", run(kChunk - 2) + "\n"},
};

class TextModeTest : public InsertionTest {};

TEST_F(TextModeTest, DocumentHoldsTheTemplateAsTextModeReadsIt) {
    for (const TextCase& textCase : kTextCases) {
        SCOPED_TRACE(textCase.name);
        std::size_t before = host->documentCount();
        EXPECT_TRUE(insertRoom(textCase.file).empty());
        ASSERT_EQ(host->documentCount(), before + 1);
        EXPECT_TRUE(sameBytes(host->documentText(before), textCase.document));
    }
}

// An independent statement of the reading rules: cut at the first 0x1A, then fold each
// CR LF pair into LF.
std::string decodeText(const std::string& file) {
    std::string content = file.substr(0, file.find('\x1A'));
    std::string text;
    for (std::size_t i = 0; i < content.size(); ++i) {
        bool pair = content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n';
        text += pair ? '\n' : content[i];
        i += pair ? 1 : 0;
    }
    return text;
}

// Files dense in the bytes that matter, often long enough to cross buffer boundaries.
std::string randomTemplate(std::mt19937& random) {
    static const char kAlphabet[] = {'\r', '\r', '\n', '\n', '\0', '\xFF', 'a', ';', ' ', '\r'};
    std::uniform_int_distribution<std::size_t> length(0, 3 * kChunk);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 1);
    std::bernoulli_distribution endMarker(0.0004);
    std::string file(length(random), ' ');
    for (char& byte : file) {
        byte = endMarker(random) ? '\x1A' : kAlphabet[pick(random)];
    }
    return file;
}

TEST_F(TextModeTest, RandomTemplatesMatchTheReadingRules) {
    constexpr std::uint32_t kSeed = 20261211;
    constexpr int kFiles = 300;
    std::mt19937 random(kSeed);
    host->setRecording(false);
    for (int i = 0; i < kFiles; ++i) {
        std::string file = randomTemplate(random);
        ASSERT_TRUE(insertRoom(file).empty());
        ASSERT_EQ(host->documentCount(), static_cast<std::size_t>(i + 1));
        ASSERT_TRUE(sameBytes(host->documentText(i), decodeText(file)))
            << "file " << i << " of seed " << kSeed << ", " << file.size() << " bytes";
    }
}

} // namespace
