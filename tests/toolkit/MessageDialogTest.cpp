// The message dialog: buttons of a set, their results and captions, Esc, the
// do-not-show-again box, and a whole MessageDlg run without windows.
#include <gtest/gtest.h>

#include "toolkit/controls/MessageLogic.h"
#include "toolkit/controls/SkinMessage.h"
#include "toolkit/skin/ResourceStrData.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {
namespace {

TEST(MessageLogicTest, ButtonsComeInBitOrderAndEveryDialogHasAWayOut) {
    EXPECT_EQ(DialogButtons(MsgButtons({mbNo, mbYes})), (std::vector<TMsgDlgBtn>{mbYes, mbNo}));
    EXPECT_EQ(DialogButtons(MsgButtons({mbHelp, mbCancel, mbOK})), (std::vector<TMsgDlgBtn>{mbOK, mbCancel, mbHelp}));
    EXPECT_EQ(DialogButtons(0), (std::vector<TMsgDlgBtn>{mbOK}));
    EXPECT_EQ(DialogButtons(MsgButtons({mbHelp})), (std::vector<TMsgDlgBtn>{mbOK, mbHelp}));
    EXPECT_EQ(DialogButtons(1u << 20), (std::vector<TMsgDlgBtn>{mbOK}));  // unknown bits are ignored
    EXPECT_EQ(DialogButtons(0x7FF).size(), 11u);
}

TEST(MessageLogicTest, EachButtonReturnsItsModalResult) {
    const std::pair<TMsgDlgBtn, TModalResult> table[] = {
        {mbYes, 6},    {mbNo, 7},  {mbOK, 1},      {mbCancel, 2},    {mbAbort, 3},    {mbRetry, 4},
        {mbIgnore, 5}, {mbAll, 8}, {mbNoToAll, 9}, {mbYesToAll, 10}, {mbHelp, mrNone}};
    for (auto [button, result] : table)
        EXPECT_EQ(ButtonResult(button), result) << button;
    EXPECT_STREQ(ButtonCaptionKey(mbYes), "MSG_BTN_YES");
    EXPECT_STREQ(ButtonCaptionKey(mbYesToAll), "MSG_BTN_YESTOALL");
    EXPECT_STREQ(ButtonCaptionKey(mbHelp), "MSG_BTN_HELP");
}

TEST(MessageLogicTest, EscMeansCancelThenNoThenALoneOk) {
    EXPECT_EQ(EscapeResult(MsgButtons({mbYes, mbNo, mbCancel})), mrCancel);
    EXPECT_EQ(EscapeResult(MsgButtons({mbYes, mbNo})), mrNo);
    EXPECT_EQ(EscapeResult(MsgButtons({mbNo})), mrNo);
    EXPECT_EQ(EscapeResult(MsgButtons({mbOK})), mrOk);
    EXPECT_EQ(EscapeResult(MsgButtons({mbOK, mbHelp})), mrOk);
    EXPECT_EQ(EscapeResult(MsgButtons({mbAbort, mbRetry, mbIgnore})), mrNone);
    EXPECT_EQ(EscapeResult(MsgButtons({mbYes, mbYesToAll})), mrNone);
}

TEST(MessageLogicTest, ShowAgainTurnsFalseOnlyForATickedOfferedBox) {
    EXPECT_TRUE(ShowAgainAfter(false, false));
    EXPECT_TRUE(ShowAgainAfter(false, true));
    EXPECT_TRUE(ShowAgainAfter(true, false));
    EXPECT_FALSE(ShowAgainAfter(true, true));
}

TEST(SkinMessageTest, BuildsOneButtonPerMemberWithResourceCaptions) {
    TskSkinData skin(nullptr);
    TskResourceStrData texts(nullptr);
    texts.ResStrings()->SetValue("MSG_BTN_YES", "&Ja");
    skin.SetResourceStrData(&texts);
    TskSkinMessage message(nullptr);
    message.SetSkinData(&skin);
    auto form =
        message.BuildDialog("Clear now?", "Cleaner 2.1", TMsgDlgType::mtConfirmation, MsgButtons({mbYes, mbNo}));
    ASSERT_EQ(form->Buttons.size(), 2u);
    EXPECT_EQ(form->Buttons[0]->Caption(), "&Ja");
    EXPECT_EQ(form->Buttons[1]->Caption(), "&No");  // the default text
    EXPECT_EQ(form->Buttons[0]->ModalResult(), mrYes);
    EXPECT_EQ(form->Buttons[1]->ModalResult(), mrNo);
    EXPECT_TRUE(form->Buttons[0]->Default());
    EXPECT_TRUE(form->Buttons[1]->Cancel());
    EXPECT_EQ(form->Text->Caption(), "Clear now?");
    EXPECT_EQ(form->Caption(), "Cleaner 2.1");
    EXPECT_EQ(form->ShowFlag, nullptr);
    EXPECT_EQ(form->Icon->Kind(), TMsgDlgType::mtConfirmation);
    EXPECT_TRUE(form->Icon->Visible());
    EXPECT_FALSE(message.BuildDialog("x", "y", TMsgDlgType::mtCustom, 0)->Icon->Visible());
}

TEST(SkinMessageTest, ReturnsThePressedButtonAndReportsTheBox) {
    TskSkinMessage message(nullptr);
    message.SetShowAgainFlag(true);
    message.SetShowAgainFlagValue(true);
    std::string flagCaption;
    message.OnDialogShow = [&](TskMessageForm& f) {
        ASSERT_NE(f.ShowFlag, nullptr);
        flagCaption = f.ShowFlag->Caption();
        EXPECT_FALSE(f.ShowFlag->Checked());  // offered unticked
        f.ShowFlag->Click();
        f.Buttons[0]->Click();  // Yes
    };
    EXPECT_EQ(message.MessageDlg("?", "c", TMsgDlgType::mtInformation, MsgButtons({mbYes, mbNo})), mrYes);
    EXPECT_FALSE(message.ShowAgainFlagValue());
    EXPECT_EQ(flagCaption, "Don't display this message again");

    message.SetShowAgainFlagValue(true);
    message.OnDialogShow = [](TskMessageForm& f) { f.Buttons[1]->Click(); };  // No, box left alone
    EXPECT_EQ(message.MessageDlg("?", "c", TMsgDlgType::mtInformation, MsgButtons({mbYes, mbNo})), mrNo);
    EXPECT_TRUE(message.ShowAgainFlagValue());
}

TEST(SkinMessageTest, EscAndClosingGiveAResultOfTheSet) {
    TskSkinMessage message(nullptr);
    message.OnDialogShow = [](TskMessageForm& f) { f.DialogKey(vkEscape, false); };
    EXPECT_EQ(message.MessageDlg("?", "c", TMsgDlgType::mtWarning, MsgButtons({mbOK, mbCancel})), mrCancel);
    EXPECT_EQ(message.MessageDlg("?", "c", TMsgDlgType::mtWarning, MsgButtons({mbYes, mbNo})), mrNo);
    EXPECT_EQ(message.MessageDlg("?", "c", TMsgDlgType::mtInformation, MsgButtons({mbOK})), mrOk);
    message.OnDialogShow = [](TskMessageForm& f) { f.Close(); };  // the frame's close button
    EXPECT_EQ(message.MessageDlg("?", "c", TMsgDlgType::mtWarning, MsgButtons({mbYes, mbNo})), mrNo);
    EXPECT_EQ(message.MessageDlg("?", "c", TMsgDlgType::mtError, MsgButtons({mbAbort, mbRetry})), mrCancel);
}

}  // namespace
}  // namespace tallow
