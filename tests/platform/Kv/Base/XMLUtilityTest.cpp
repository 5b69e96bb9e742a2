#include "Kv/Base/XMLUtility.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using Kv::XmlError;
using Kv::XMLUtility;

std::string data(const std::string& name) {
    return KV_TEST_DATA_DIR "/Base/data/xml/" + name;
}

// The XmlError thrown by `action`, which must throw one.
template <class Action> XmlError errorOf(Action action) {
    try {
        action();
    } catch (const XmlError& error) {
        return error;
    }
    ADD_FAILURE() << "no XmlError thrown";
    return XmlError("", 0, "");
}

TEST(XMLUtilityTest, ValidDocumentIsReturnedForReading) {
    const Kv::XmlDocument document =
        XMLUtility::schemaValidator(data("Shape.xml"), data("Shape.xsd"));
    EXPECT_EQ(document.path(), data("Shape.xml"));
    EXPECT_EQ(document.rootName(), "Shape");
    EXPECT_EQ(document.childText("Kind"), "triangle");
    EXPECT_EQ(document.childText("Sides"), "3");
    EXPECT_EQ(document.childText("Colour"), std::nullopt);
}

TEST(XMLUtilityTest, ProblemsNameTheFileAndLine) {
    ::testing::internal::CaptureStderr();

    const XmlError invalid =
        errorOf([] { XMLUtility::schemaValidator(data("ShapeBadValue.xml"), data("Shape.xsd")); });
    EXPECT_EQ(invalid.file(), data("ShapeBadValue.xml"));
    EXPECT_EQ(invalid.line(), 4);
    EXPECT_NE(invalid.reason().find("Element 'Sides'"), std::string::npos) << invalid.what();
    EXPECT_EQ(std::string(invalid.what()), data("ShapeBadValue.xml") + ":4: " + invalid.reason());

    // Only the first complaint is kept: the parser's follow-up noise about
    // the unclosed root would hide what is actually wrong.
    const XmlError malformed =
        errorOf([] { XMLUtility::readDocument(data("ShapeNotWellFormed.xml")); });
    EXPECT_EQ(malformed.file(), data("ShapeNotWellFormed.xml"));
    EXPECT_EQ(malformed.line(), 4);
    EXPECT_NE(malformed.reason().find("Sides"), std::string::npos) << malformed.what();

    const XmlError missing = errorOf([] { XMLUtility::readDocument(data("Missing.xml")); });
    EXPECT_EQ(missing.file(), data("Missing.xml"));

    const XmlError noSchema =
        errorOf([] { XMLUtility::schemaValidator(data("Shape.xml"), data("Missing.xsd")); });
    EXPECT_EQ(noSchema.file(), data("Missing.xsd"));

    const XmlError brokenSchema =
        errorOf([] { XMLUtility::schemaValidator(data("Shape.xml"), data("BrokenSchema.xsd")); });
    EXPECT_EQ(brokenSchema.file(), data("BrokenSchema.xsd"));
    EXPECT_EQ(brokenSchema.line(), 3);
    EXPECT_NE(brokenSchema.reason().find("NoSuchType"), std::string::npos) << brokenSchema.what();

    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(XMLUtilityTest, ThreadsEachGetTheirOwnErrors) {
    // libxml2 reports through per-thread handlers; a capture on one thread
    // must neither lose nor steal another thread's message.
    std::vector<std::string> reasons(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < reasons.size(); ++i) {
        threads.emplace_back([&reasons, i] {
            for (int round = 0; round < 20; ++round) {
                const bool bad = (i + round) % 2 == 0;
                try {
                    XMLUtility::schemaValidator(data(bad ? "ShapeBadValue.xml" : "Shape.xml"),
                                                data("Shape.xsd"));
                    if (bad)
                        reasons[i] = "accepted a bad file";
                } catch (const XmlError& error) {
                    if (!bad || error.line() != 4)
                        reasons[i] = error.what();
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (const std::string& reason : reasons)
        EXPECT_EQ(reason, "");
}

} // namespace
