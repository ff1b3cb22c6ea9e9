#include "platform/MessageSink.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

// The default handler and the handler slot; collecting across threads is
// ScopedMessageCapture's test.

TEST(MessageSink, WithNoHandlerTheTextGoesToStandardErrorAsUtf8) {
    MessageHandler previous = SetMessageHandler({});
    testing::internal::CaptureStderr();
    ShowMessage(u"error code 0x01 : Failed to open source file");
    ShowMessage(u"Failed to save the file /out/\u00e9t\u00e9.xls");
    const std::string err = testing::internal::GetCapturedStderr();
    SetMessageHandler(std::move(previous));
    EXPECT_EQ(err,
              "error code 0x01 : Failed to open source file\n"
              "Failed to save the file /out/\xC3\xA9t\xC3\xA9.xls\n");
}

TEST(MessageSink, StandardErrorKeepsTextPastAnEmbeddedNul) {
    testing::internal::CaptureStderr();
    StderrMessageHandler(std::u16string(u"Sheet\0 1", 8));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string("Sheet\0 1\n", 9));
}

TEST(MessageSink, SetReturnsThePreviousHandlerAndEmptyRestoresTheDefault) {
    std::vector<std::u16string> first;
    std::vector<std::u16string> second;
    MessageHandler original =
        SetMessageHandler([&](std::u16string_view t) { first.emplace_back(t); });
    MessageHandler returned =
        SetMessageHandler([&](std::u16string_view t) { second.emplace_back(t); });
    ShowMessage(u"Invalid source file path");
    ASSERT_TRUE(returned);
    returned(u"direct");
    EXPECT_EQ(first, std::vector<std::u16string>{u"direct"});
    EXPECT_EQ(second, std::vector<std::u16string>{u"Invalid source file path"});

    SetMessageHandler({});
    testing::internal::CaptureStderr();
    ShowMessage(u"Files repaired and saved successfully.");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Files repaired and saved successfully.\n");
    EXPECT_EQ(second.size(), 1u);
    SetMessageHandler(std::move(original));
}

TEST(MessageSink, AThrowingHandlerNeverReachesTheWorker) {
    MessageHandler previous =
        SetMessageHandler([](std::u16string_view) { throw std::runtime_error("no display"); });
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(ShowMessage(u"Invalid source file path"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Invalid source file path\n");
    SetMessageHandler(std::move(previous));
}
