// The clear-all run: question, Firefox refusal, gauge, order of the items, failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
#include <set>
#include <stdexcept>

#include "cleaning/ClearAllRun.h"

namespace tallow {
namespace {

// The window: ticked items, a gauge with the toolkit's clamping, and a log of
// what the user sees, in order.
class TFakeWindow : public IClearAllWindow {
  public:
    std::set<int> ticked;
    bool answerYes = true;
    int gaugeMax = 0, gaugeValue = 0;
    bool gaugeVisible = false, timerEnabled = false, gaugeEverShown = false;
    std::vector<std::string> log;
    std::vector<int> valueAtProcessMessages;
    std::function<void()> onProcessMessages;
    std::function<void()> onAsk;
    bool running = false, stop = false;
    std::vector<bool> runningMarks;

    bool IsItemTicked(int item) override { return ticked.count(item) > 0; }
    int GaugeMax() override { return gaugeMax; }
    void SetGaugeMax(int value) override {
        gaugeMax = value;
        gaugeValue = std::min(gaugeValue, gaugeMax);
    }
    int GaugeValue() override { return gaugeValue; }
    void SetGaugeValue(int value) override { gaugeValue = std::clamp(value, 0, gaugeMax); }
    void SetGaugeVisible(bool visible) override {
        gaugeVisible = visible;
        gaugeEverShown |= visible;
        log.push_back(visible ? "gauge shown" : "gauge hidden");
    }
    void SetTimerEnabled(bool enabled) override { timerEnabled = enabled; }
    bool AskYesNo(const std::string& key) override {
        log.push_back("ask " + key);
        if (onAsk)
            onAsk();
        return answerYes;
    }
    bool AskYesNoWithTotal(const std::string& key, const TItemTally& total) override {
        log.push_back("about " + Text(total));
        return AskYesNo(key);
    }
    void ShowMessageWithFreed(const std::string& key,
                              const std::vector<std::string>& args,
                              const TItemTally& freed) override {
        args.empty() ? ShowMessage(key) : ShowMessageWith(key, args);
        log.push_back("freed " + Text(freed));
    }
    static std::string Text(const TItemTally& t) {
        return std::to_string(t.entries) + " in " + std::to_string(t.bytes) + " bytes";
    }
    void ShowMessage(const std::string& key) override { log.push_back(key); }
    void ShowMessageWith(const std::string& key, const std::vector<std::string>& args) override {
        log.push_back(key + " " + JoinNames(args));
    }
    void ProcessMessages() override {
        valueAtProcessMessages.push_back(gaugeValue);
        if (onProcessMessages)
            onProcessMessages();
    }
    void SetRunning(bool on) override {
        running = on;
        runningMarks.push_back(on);
    }
    bool StopRequested() override { return stop; }
};

class TFakeActions : public IClearAllActions {
  public:
    explicit TFakeActions(const TFakeWindow& window) : window_(window) {}
    bool firefoxRunning = false;
    int failingItem = 0;
    std::vector<int> ran;
    std::map<int, std::vector<std::string>> skips;  // item -> programs it leaves alone
    std::vector<std::string> skipped;
    bool ranWhileNotRunning = false;
    bool IsFirefoxRunning() override { return firefoxRunning; }
    void RunAction(int item) override {
        ran.push_back(item);
        ranWhileNotRunning |= !window_.running;
        for (const std::string& name : skips[item])
            skipped.push_back(name);
        if (item == failingItem)
            throw std::runtime_error("Cannot open clipboard");
    }
    std::vector<std::string> TakeSkippedPrograms() override {
        std::vector<std::string> taken;
        taken.swap(skipped);
        return taken;
    }

  private:
    const TFakeWindow& window_;
};

// What each item holds before its action and leaves after it; items it does not
// know cannot be told.
class TFakeTally : public IClearAllTally {
  public:
    std::map<int, TItemTally> before, after;
    std::vector<std::string> calls;
    std::optional<TItemTally> Expected(int item) override { return Find(before, item, "expected "); }
    std::optional<TItemTally> Left(int item) override { return Find(after, item, "left "); }

  private:
    std::optional<TItemTally> Find(const std::map<int, TItemTally>& m, int item, const std::string& call) {
        calls.push_back(call + std::to_string(item));
        auto it = m.find(item);
        return it == m.end() ? std::nullopt : std::optional<TItemTally>(it->second);
    }
};

class ClearAllRunTest : public ::testing::Test {
  protected:
    TFakeWindow window;
    TFakeActions actions{window};
    TClearAllRun run{window, actions};

    void TickAll() {
        for (int item = 1; item <= kItemCount; ++item)
            window.ticked.insert(item);
    }
};

TEST_F(ClearAllRunTest, AllSeventeenItemsRunInOrderAndFillTheGauge) {
    TickAll();
    run.Run();
    std::vector<int> all(17);
    std::iota(all.begin(), all.end(), 1);
    EXPECT_EQ(actions.ran, all);
    EXPECT_EQ(window.gaugeMax, 1700);
    EXPECT_EQ(window.gaugeValue, 1700);
    EXPECT_EQ(window.valueAtProcessMessages.front(), 100);
    EXPECT_EQ(window.valueAtProcessMessages.size(), 17u);
    EXPECT_EQ(window.log, (std::vector<std::string>{"ask MSGBOX_ClearNotify", "gauge shown", "gauge hidden",
                                                    "MSGBOX_CLEARALLCLEARED"}));
    EXPECT_FALSE(window.timerEnabled);
}

TEST_F(ClearAllRunTest, OnlyTickedItemsCountAndRun) {
    window.ticked = {kItemRunHistory, kItemClipboard};
    run.Run();
    EXPECT_EQ(window.gaugeMax, 200);
    EXPECT_EQ(actions.ran, (std::vector<int>{9, 13}));
    EXPECT_EQ(window.valueAtProcessMessages, (std::vector<int>{100, 200}));
}

// Browsers in use are named once in one added line of the closing message; what
// an earlier per-item click left alone is no part of it.
TEST_F(ClearAllRunTest, ClosingMessageNamesTheProgramsLeftAloneByThisRun) {
    actions.skipped = {"Opera"};
    window.ticked = {kItemChromeHistory, kItemChromeCookies, kItemRunHistory};
    actions.skips[kItemChromeHistory] = {"Google Chrome"};
    actions.skips[kItemChromeCookies] = {"Microsoft Edge"};
    run.Run();
    EXPECT_EQ(window.log.back(), "MSGBOX_CLEARALLSKIPPED Google Chrome, Microsoft Edge");
    EXPECT_EQ(actions.ran, (std::vector<int>{kItemRunHistory, kItemChromeHistory, kItemChromeCookies}));

    actions.skips.clear();
    run.Run();
    EXPECT_EQ(window.log.back(), "MSGBOX_CLEARALLCLEARED");
    EXPECT_EQ(JoinNames({}), "");
    EXPECT_EQ(JoinNames({"A"}), "A");
}

TEST_F(ClearAllRunTest, NothingTickedOrNoAnswerCleansNothing) {
    run.Run();
    EXPECT_EQ(window.log, (std::vector<std::string>{"ask MSGBOX_ClearNotify", "MSGBOX_NoItemChoosed"}));
    EXPECT_FALSE(window.gaugeEverShown);

    TickAll();
    window.answerYes = false;
    window.log.clear();
    run.Run();
    EXPECT_EQ(window.log, std::vector<std::string>{"ask MSGBOX_ClearNotify"});
    EXPECT_TRUE(actions.ran.empty());
    EXPECT_FALSE(window.gaugeEverShown);
}

TEST_F(ClearAllRunTest, RunningFirefoxStopsTheRunOnlyForHistoryCacheOrCookies) {
    actions.firefoxRunning = true;
    window.ticked = {kItemFFPasswords, kItemRecycleBin};
    run.Run();
    EXPECT_EQ(actions.ran, (std::vector<int>{8, 10}));

    for (int item : {kItemFFHistory, kItemFFCache, kItemFFCookies}) {
        actions.ran.clear();
        window.log.clear();
        window.ticked = {kItemIECache, item, kItemFFPasswords, kItemClipboard};
        run.Run();
        EXPECT_TRUE(actions.ran.empty()) << item;
        EXPECT_EQ(window.log, (std::vector<std::string>{"ask MSGBOX_ClearNotify", "MSGBOX_CloseFFAndClear"}));
    }

    actions.firefoxRunning = false;
    run.Run();
    EXPECT_EQ(actions.ran.size(), 4u);
}

TEST_F(ClearAllRunTest, ClipboardFailureEndsTheRunWithTheGaugeCreepingOn) {
    TickAll();
    actions.failingItem = kItemClipboard;
    EXPECT_THROW(run.Run(), std::runtime_error);
    EXPECT_EQ(actions.ran.back(), kItemClipboard);
    EXPECT_EQ(actions.ran.size(), 9u);
    EXPECT_TRUE(window.gaugeVisible);
    EXPECT_TRUE(window.timerEnabled);
    EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "MSGBOX_CLEARALLCLEARED"), 0);

    EXPECT_EQ(window.gaugeValue, 800);
    for (int tick = 0; tick < 1000; ++tick)
        run.TimerTick();
    EXPECT_EQ(window.gaugeValue, 1700) << "the timer creeps up to the maximum and stays there";
}

TEST_F(ClearAllRunTest, StopRequestEndsTheRunAfterTheCurrentItem) {
    TickAll();
    window.onProcessMessages = [this] { window.stop = actions.ran.size() == 3; };
    run.Run();
    EXPECT_EQ(actions.ran, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(window.gaugeVisible);
    EXPECT_FALSE(window.timerEnabled);
    EXPECT_EQ(window.log, (std::vector<std::string>{"ask MSGBOX_ClearNotify", "gauge shown", "gauge hidden"}))
        << "no closing message after a stop";

    actions.ran.clear();
    window.stop = window.gaugeEverShown = false;
    window.onProcessMessages = nullptr;
    window.onAsk = [this] { window.stop = true; };
    run.Run();
    EXPECT_TRUE(actions.ran.empty()) << "a stop asked for during the question cleans nothing";
    EXPECT_FALSE(window.gaugeEverShown);
}

TEST_F(ClearAllRunTest, WindowIsMarkedRunningFromTheQuestionToTheEndHoweverTheRunEnds) {
    bool runningAtQuestion = false;
    window.onAsk = [&] { runningAtQuestion = window.running; };
    TickAll();
    run.Run();
    EXPECT_TRUE(runningAtQuestion);
    EXPECT_FALSE(actions.ranWhileNotRunning);
    EXPECT_EQ(window.runningMarks, (std::vector<bool>{true, false}));

    window.answerYes = false;
    run.Run();
    window.answerYes = true;
    actions.failingItem = kItemClipboard;
    EXPECT_THROW(run.Run(), std::runtime_error);
    EXPECT_EQ(window.runningMarks, (std::vector<bool>{true, false, true, false, true, false}))
        << "marked over after No and after a failing item too";
}

TEST_F(ClearAllRunTest, TimerTicksBetweenItemsAndASecondRunStartsAtZero) {
    window.ticked = {kItemRecycleBin, kItemTempFolder};
    window.onProcessMessages = [this] { run.TimerTick(); };
    run.Run();
    EXPECT_EQ(window.valueAtProcessMessages, (std::vector<int>{100, 200}));
    EXPECT_EQ(window.gaugeValue, 200) << "clamped to the maximum";

    window.onProcessMessages = nullptr;
    window.ticked = {kItemRecycleBin, kItemTempFolder, kItemRunHistory};
    run.Run();
    EXPECT_EQ(window.valueAtProcessMessages.back(), 300);
    EXPECT_EQ(window.valueAtProcessMessages[2], 100) << "the gauge starts again at 0";
}

}  // namespace
}  // namespace tallow

namespace tallow {
namespace {

// The question adds the total expected of the ticked items; the closing message
// what their actions freed, by the counts before and after each item.
TEST_F(ClearAllRunTest, WithATallyTheQuestionSaysHowMuchAndTheClosingMessageWhatWasFreed) {
    TFakeTally tally;
    TClearAllRun sized(window, actions, &tally);
    struct Case {
        std::set<int> ticked;
        std::map<int, TItemTally> before, after;
        std::map<int, std::vector<std::string>> skips;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {{kItemTempFolder, kItemRunHistory, kItemIECache},
         {{kItemTempFolder, {4000, 300000}}, {kItemRunHistory, {10, 0}}, {kItemIECache, {200, 12000}}},
         {{kItemTempFolder, {3, 100}}, {kItemRunHistory, {0, 0}}, {kItemIECache, {0, 0}}},
         {},
         {"about 4210 in 312000 bytes", "ask MSGBOX_ClearNotify", "gauge shown", "gauge hidden",
          "MSGBOX_CLEARALLCLEARED", "freed 4207 in 311900 bytes"}},
        // An item that cannot be told is left out of both lines; one that grew frees nothing.
        {{kItemClipboard, kItemTempFolder, kItemChromeCache},
         {{kItemTempFolder, {5, 50}}, {kItemChromeCache, {2, 20}}},
         {{kItemTempFolder, {9, 90}}, {kItemChromeCache, {1, 20}}},
         {{kItemChromeCache, {"Opera"}}},
         {"about 7 in 70 bytes", "ask MSGBOX_ClearNotify", "gauge shown", "gauge hidden",
          "MSGBOX_CLEARALLSKIPPED Opera", "freed 1 in 0 bytes"}},
        // Nothing could be told: the lines of old.
        {{kItemClipboard},
         {},
         {},
         {},
         {"ask MSGBOX_ClearNotify", "gauge shown", "gauge hidden", "MSGBOX_CLEARALLCLEARED"}},
    };
    for (const Case& c : cases) {
        window.ticked = c.ticked;
        window.log.clear();
        tally.before = c.before;
        tally.after = c.after;
        actions.skips = c.skips;
        sized.Run();
        EXPECT_EQ(window.log, c.log) << *c.ticked.begin();
    }
    tally.calls.clear();
    window.ticked = {kItemTempFolder};
    window.answerYes = false;
    sized.Run();
    EXPECT_EQ(tally.calls, std::vector<std::string>{"expected 11"}) << "nothing is counted after No";
    EXPECT_EQ(AddTally({1, 2, TItemStatus::kInUse}, {3, 4}).entries, 4u);
}

}  // namespace
}  // namespace tallow
