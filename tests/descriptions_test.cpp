// The rules that every description obeys, shown to catch descriptions that break them.

#include "descriptions/Invariants.h"
#include "shell/Program.h"

#include <QTest>

using namespace controls;

namespace {

using Rule = bool (*)(const FormDescription&);

struct NamedRule {
    const char* name;
    Rule rule;
};

constexpr NamedRule rules[] = {
    {"unique names", &hasUniqueNames},
    {"tab indexes", &hasTabIndexesInOrder},
    {"inside client area", &controlsLieInsideClientArea},
    {"no overlaps", &controlsDoNotOverlap},
    {"captions by kind", &captionsMatchKinds},
    {"access-key markers", &accessKeyMarkersAreValid},
    {"distinct access keys", &accessKeysAreDistinctPerMenu},
};

constexpr FormDescription form(std::span<const ControlDescription> controls,
                               std::span<const MenuDescription> menu = {},
                               std::string_view caption = "Form") {
    return {"form", caption, 4680, 3240, StartUpPosition::WindowManager, controls, menu};
}

// clang-format off
constexpr ControlDescription sane[] = {
    {"Option1",  ControlKind::OptionButton,  "Sane", 1440,  960, 2055, 375, 0},
    {"Command1", ControlKind::CommandButton, "OK",   3240, 2760, 1335, 375, 1},
};
constexpr ControlDescription sameName[] = {
    {"Option1",  ControlKind::OptionButton,  "Sane", 1440,  960, 2055, 375, 0},
    {"Option1",  ControlKind::CommandButton, "OK",   3240, 2760, 1335, 375, 1},
};
constexpr MenuDescription nameOfAControl[] = {{"Option1", "&Sane"}};
constexpr ControlDescription tabIndexTwice[] = {
    {"Option1",  ControlKind::OptionButton,  "Sane", 1440,  960, 2055, 375, 1},
    {"Command1", ControlKind::CommandButton, "OK",   3240, 2760, 1335, 375, 1},
};
constexpr ControlDescription tabIndexGap[] = {
    {"Option1",  ControlKind::OptionButton,  "Sane", 1440,  960, 2055, 375, 0},
    {"Command1", ControlKind::CommandButton, "OK",   3240, 2760, 1335, 375, 2},
};
constexpr ControlDescription pastRightEdge[] = {
    {"Command1", ControlKind::CommandButton, "OK",   3360, 2760, 1335, 375, 0},
};
constexpr ControlDescription pastBottomEdge[] = {
    {"Command1", ControlKind::CommandButton, "OK",   3240, 2880, 1335, 375, 0},
};
constexpr ControlDescription leftOfClientArea[] = {
    {"Command1", ControlKind::CommandButton, "OK",    -15, 2760, 1335, 375, 0},
};
constexpr ControlDescription zeroHeight[] = {
    {"Command1", ControlKind::CommandButton, "OK",   3240, 2760, 1335,   0, 0},
};
constexpr ControlDescription overlapping[] = {
    {"Option1",  ControlKind::OptionButton,  "Sane", 1440,  960, 2055, 375, 0},
    {"Option2",  ControlKind::OptionButton,  "Mad",  1440, 1320, 2055, 375, 1},
};
constexpr ControlDescription touching[] = {
    {"Option1",  ControlKind::OptionButton,  "Sane", 1440,  960, 2055, 375, 0},
    {"Option2",  ControlKind::OptionButton,  "Mad",  1440, 1335, 2055, 375, 1},
};
constexpr ControlDescription textBoxWithCaption[] = {
    {"Text1",    ControlKind::TextBox,       "name",  600,  840, 3015, 285, 0},
};
constexpr ControlDescription labelWithoutCaption[] = {
    {"Label1",   ControlKind::Label,         std::nullopt, 600, 360, 1815, 375, 0},
};
constexpr ControlDescription markerOnAControl[] = {
    {"Command1", ControlKind::CommandButton, "&OK",  3240, 2760, 1335, 375, 0},
};
constexpr MenuDescription noMarker[] = {{"Choices", "Choices"}};
constexpr MenuDescription twoMarkers[] = {{"Choices", "&Cho&ices"}};
constexpr MenuDescription doubledMarker[] = {{"Choices", "&&Choices"}};
constexpr MenuDescription markerLast[] = {{"Choices", "Choices&"}};
constexpr MenuDescription deepNoMarker[] = {{"ForOutputs", "For Outputs"}};
constexpr MenuDescription deepParent[] = {{"MsgBoxes", "&MsgBoxes", deepNoMarker}};
constexpr MenuDescription sameKeyOnOneLevel[] = {{"Options", "&Options"}, {"Other", "&other"}};
constexpr MenuDescription sameKeyDeep[] = {{"Choices", "&Choices", sameKeyOnOneLevel}};
constexpr MenuDescription sameKeyOnTwoLevels[] = {{"Options", "&Options"}};
constexpr MenuDescription keysOnTwoLevels[] = {{"Outer", "&Outer", sameKeyOnTwoLevels}};
constexpr MenuDescription sameNameDeep[] = {{"Choices", "&Choices", nameOfAControl}, {"Option1", "&Option"}};
// clang-format on

} // namespace

Q_DECLARE_METATYPE(controls::FormDescription)

class DescriptionsTest : public QObject {
    Q_OBJECT

private slots:
    void rulesCatchBrokenDescriptions_data() {
        QTest::addColumn<FormDescription>("description");
        QTest::addColumn<QString>("brokenRule"); // Empty when every rule holds.

        QTest::newRow("a sound form") << form(sane) << QString();
        QTest::newRow("two controls of one name") << form(sameName) << "unique names";
        QTest::newRow("a menu item named as a control")
            << form(sane, nameOfAControl) << "unique names";
        QTest::newRow("two menu items of one name, on two levels")
            << form({}, sameNameDeep) << "unique names";
        QTest::newRow("a tab index used twice") << form(tabIndexTwice) << "tab indexes";
        QTest::newRow("a gap in the tab indexes") << form(tabIndexGap) << "tab indexes";
        QTest::newRow("past the right edge") << form(pastRightEdge) << "inside client area";
        QTest::newRow("past the bottom edge") << form(pastBottomEdge) << "inside client area";
        QTest::newRow("left of the client area") << form(leftOfClientArea) << "inside client area";
        QTest::newRow("no height") << form(zeroHeight) << "inside client area";
        QTest::newRow("two options overlapping") << form(overlapping) << "no overlaps";
        QTest::newRow("two options touching") << form(touching) << QString();
        QTest::newRow("a text box with a caption")
            << form(textBoxWithCaption) << "captions by kind";
        QTest::newRow("a label without one") << form(labelWithoutCaption) << "captions by kind";
        QTest::newRow("a marker on a push button")
            << form(markerOnAControl) << "access-key markers";
        QTest::newRow("a marker in the title") << form(sane, {}, "&Form") << "access-key markers";
        QTest::newRow("a menu caption without a marker")
            << form({}, noMarker) << "access-key markers";
        QTest::newRow("two markers") << form({}, twoMarkers) << "access-key markers";
        QTest::newRow("a doubled marker") << form({}, doubledMarker) << "access-key markers";
        QTest::newRow("a marker at the end") << form({}, markerLast) << "access-key markers";
        QTest::newRow("no marker in a sub-sub-menu")
            << form({}, deepParent) << "access-key markers";
        QTest::newRow("one key twice in a sub-menu, in either case")
            << form({}, sameKeyDeep) << "distinct access keys";
        QTest::newRow("one key on two levels") << form({}, keysOnTwoLevels) << QString();
    }
    void rulesCatchBrokenDescriptions() {
        QFETCH(FormDescription, description);
        QFETCH(QString, brokenRule);
        for (const NamedRule& rule : rules)
            QVERIFY2(rule.rule(description) == (brokenRule != QLatin1String(rule.name)), rule.name);
        QCOMPARE(isValidDescription(description), brokenRule.isEmpty());
    }

    void bindingsMustBelongToTheirForm() {
        QVERIFY(bindingsFit(fooDescription, fooBindings));
        // foo's binding names foo's Command1, which is not check's Command1.
        QVERIFY(!bindingsFit(checkDescription, fooBindings));
        const EventBinding twice[] = {fooBindings[0], fooBindings[0]};
        QVERIFY(!bindingsFit(fooDescription, twice));
        const EventBinding onATitle[] = {
            {{EventSource::Kind::MenuItem, 0, "Form1"}, Event::Click, fooBindings[0].handler}};
        QVERIFY(!bindingsFit(form1Description, onATitle));
        const EventBinding pastTheLastControl[] = {
            {{EventSource::Kind::Control, 3, "foo"}, Event::Click, fooBindings[0].handler}};
        QVERIFY(!bindingsFit(fooDescription, pastTheLastControl));
    }
};

QTEST_APPLESS_MAIN(DescriptionsTest)
#include "descriptions_test.moc"
