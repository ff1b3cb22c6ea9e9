#include "platform/ScopedMessageCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

TEST(ScopedMessageCapture, CollectsEveryMessageFromManyThreadsExactlyOnce) {
    constexpr int kThreads = 4;
    constexpr int kEach = 200;
    ScopedMessageCapture capture;
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t)
        workers.emplace_back([t] {
            for (int i = 0; i < kEach; ++i) {
                const std::string text = std::to_string(t) + ":" + std::to_string(i);
                ShowMessage(std::u16string(text.begin(), text.end()));
            }
        });
    for (std::thread& worker : workers) worker.join();

    std::vector<std::u16string> texts = capture.Texts();
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(kThreads * kEach));
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(std::adjacent_find(texts.begin(), texts.end()), texts.end());
    // Each thread's own messages arrive in the order it sent them.
    const std::vector<std::u16string> inOrder = capture.Texts();
    std::vector<int> last(kThreads, -1);
    for (const std::u16string& text : inOrder) {
        const std::size_t colon = text.find(u':');
        const int t = std::stoi(std::string(text.begin(), text.begin() + colon));
        const int i = std::stoi(std::string(text.begin() + colon + 1, text.end()));
        EXPECT_EQ(i, last[t] + 1);
        last[t] = i;
    }
}

TEST(ScopedMessageCapture, NestedCapturesRestoreTheHandlerBefore) {
    std::vector<std::u16string> outer;
    MessageHandler original =
        SetMessageHandler([&](std::u16string_view t) { outer.emplace_back(t); });
    {
        ScopedMessageCapture first;
        {
            ScopedMessageCapture second;
            ShowMessage(u"inner");
            EXPECT_EQ(second.Texts(), std::vector<std::u16string>{u"inner"});
        }
        ShowMessage(u"middle");
        EXPECT_EQ(first.Texts(), std::vector<std::u16string>{u"middle"});
    }
    ShowMessage(u"after");
    EXPECT_EQ(outer, std::vector<std::u16string>{u"after"});
    SetMessageHandler(std::move(original));
}

TEST(ScopedMessageCapture, AHandlerCopyUsedAfterTheCaptureEndedIsStillSafe) {
    // A worker that picked up the handler just before the capture ended
    // calls it afterwards: it must not touch freed memory (ASan would say).
    MessageHandler late;
    {
        ScopedMessageCapture capture;
        late = SetMessageHandler({});
        SetMessageHandler(late);
        ShowMessage(u"while alive");
        EXPECT_EQ(capture.Count(), 1u);
    }
    ASSERT_TRUE(late);
    late(u"after the capture ended");
}
