// Form descriptions: the value syntax, and that a description naming anything
// the program does not know is refused when it is loaded.
#include <gtest/gtest.h>

#include "platform/application.h"
#include "platform/dfmreader.h"
#include "platform/headless/headless.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"

using vcl::DfmValue;
using vcl::ParseDfm;

TEST(DfmReader, ReadsEveryKindOfValue) {
    auto root = ParseDfm(R"(object F: TF
  Caption = 'It''s'#13#10'two' +
    ' lines'
  Height = -29
  Icons = [biSystemMenu, biHelp]
  Items.Strings = (
    'Cars'
    'Free Stuff')
  Empty = ''
  Visible = False
  object B: TButton
    Caption = '&Ok'
  end
end)");
    ASSERT_EQ(root.properties.size(), 6u);
    EXPECT_EQ(root.properties[0].second.AsString("Caption"), "It's\r\ntwo lines");
    EXPECT_EQ(root.properties[1].second.AsInt("Height"), -29);
    EXPECT_EQ(root.properties[2].second.AsSet("Icons"), (std::vector<std::string>{"biSystemMenu", "biHelp"}));
    EXPECT_EQ(root.properties[3].second.AsList("Items"), (std::vector<std::string>{"Cars", "Free Stuff"}));
    EXPECT_EQ(root.properties[4].second.AsString("Empty"), "");
    EXPECT_FALSE(root.properties[5].second.AsBool("Visible"));
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].className, "TButton");
}

TEST(DfmReader, BadSyntaxNamesTheLine) {
    for (const char* text : {"object F: TF\n  Caption = 'open\nend", "object F: TF\n  Left = \n", "object F TF\nend",
                             "object F: TF\n  X = #999\nend", "object F: TF\nend\nextra", ""}) {
        try {
            ParseDfm(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const vcl::Exception& e) {
            EXPECT_NE(std::string(e.what()).find("line"), std::string::npos) << e.what();
        }
    }
}

namespace {
class TProbeForm : public vcl::TForm {
public:
    vcl::TButton* Button1 = nullptr;
    int clicks = 0;
    void Button1Click(vcl::TObject*) { ++clicks; }

protected:
    void Bind(vcl::FormBinding& b) override {
        b.Component("Button1", Button1);
        b.Handler("Button1Click", this, &TProbeForm::Button1Click);
    }
};
} // namespace

TEST(FormLoader, BindsMembersAndHandlersByName) {
    vcl::HeadlessBackend backend;
    TProbeForm form;
    form.LoadFromDescription("object Probe: TProbeForm\n object Button1: TButton\n  Caption = '&Go'\n"
                             "  OnClick = Button1Click\n end\nend");
    ASSERT_NE(form.Button1, nullptr);
    EXPECT_EQ(form.Button1->Caption(), "&Go");
    EXPECT_EQ(form.Button1->Parent(), &form);
    form.Button1->Click();
    EXPECT_EQ(form.clicks, 1);
}

TEST(FormLoader, RefusesWhatTheProgramDoesNotKnow) {
    vcl::HeadlessBackend backend;
    const char* bad[] = {
        "object P: T\n object Button1: TFancyButton\n end\nend",                        // class
        "object P: T\n object Button1: TButton\n  Colour = 1\n end\nend",               // property
        "object P: T\n object Button1: TButton\n end\n object Button2: TButton\n end\nend", // component
        "object P: T\n object Button1: TButton\n  OnClick = Button9Click\n end\nend",   // handler
        "object P: T\n object Button1: TButton\n  OnWobble = Button1Click\n end\nend",  // event
        "object P: T\nend",                                                              // member missing
        "object P: T\n object Button1: TButton\n  Left = 'ten'\n end\nend",             // value kind
    };
    for (const char* text : bad) {
        TProbeForm form;
        EXPECT_THROW(form.LoadFromDescription(text), vcl::Exception) << text;
    }
}

TEST(Application, ErrorBoxTextGetsAFullStopOnlyAfterCharactersSortingAfterIt) {
    struct Case {
        std::string message, shown;
    } cases[] = {
        {"Cannot make a visible window modal", "Cannot make a visible window modal."},
        {"Invalid data type for 'Browser'", "Invalid data type for 'Browser'"},
        {"Done!", "Done!"},
        {"Already.", "Already."},
        {"Count 5", "Count 5."},
        {"(see below)", "(see below)"},
        {"ends in slash/", "ends in slash/."},
        {"8-bit \xE9", "8-bit \xE9."},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(vcl::TApplication::ErrorBoxText(c.message), c.shown) << c.message;
}

TEST(Application, HandlerErrorEndsTheHandlerShowsTheBoxAndTheProgramGoesOn) {
    vcl::HeadlessBackend backend;
    vcl::TApplication app;
    app.Title = "Kestrun Tolvane!";
    bool after = false;
    app.SafeCall([&] {
        throw vcl::EInvalidOperation("Cannot make a visible window modal");
        after = true;
    });
    app.SafeCall([&] { after = true; });
    ASSERT_EQ(backend.errorBoxes.size(), 1u);
    EXPECT_EQ(backend.errorBoxes[0].caption, "Kestrun Tolvane!");
    EXPECT_EQ(backend.errorBoxes[0].text, "Cannot make a visible window modal.");
    EXPECT_TRUE(after);
}

TEST(Application, ClosingAModalFormEndsItsLoopAndHidesIt) {
    vcl::HeadlessBackend backend;
    vcl::TApplication app;
    TProbeForm form;
    form.LoadFromDescription("object P: T\n object Button1: TButton\n end\nend");
    backend.onModal = [&](vcl::TForm& f) {
        EXPECT_TRUE(f.Visible());
        EXPECT_THROW(f.ShowModal(), vcl::EInvalidOperation); // already visible
        f.Close();
    };
    EXPECT_EQ(form.ShowModal(), vcl::mrCancel);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.Modal());
}

TEST(RunTimeLibrary, LowerCaseChangesOnlyAToZAndParamStrDropsQuotes) {
    EXPECT_EQ(vcl::LowerCase("-NS Z@[\xC0\xDE]"), "-ns z@[\xC0\xDE]");
    vcl::SetCommandLine("/opt/tolvane", {"\"-ns\"", "a b", ""});
    EXPECT_EQ(vcl::ParamCount(), 3);
    EXPECT_EQ(vcl::ParamStr(0), "/opt/tolvane");
    EXPECT_EQ(vcl::ParamStr(1), "-ns");
    EXPECT_EQ(vcl::ParamStr(2), "a b");
    EXPECT_EQ(vcl::ParamStr(4), "");
    EXPECT_EQ(vcl::ParamStr(-1), "");
}
