// Random sequences of what a user can do, applied from a seed to the real program
// on Qt's offscreen platform and to a reference model of everything the user can
// observe. After every step the two must agree; when they do not, the test prints
// the seed and a shortened list of steps that still shows the difference.
//
// MODEL_STEPS sets how many steps to run (a soak), MODEL_SEED the first seed.

#include "Driving.h"
#include "platform/QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>

#include <array>
#include <optional>
#include <random>

using namespace controls;

namespace {

constexpr FormId secondaryForms[] = {FormId::foo, FormId::check, FormId::quest};
constexpr int stepsPerEpisode = 400;
constexpr qsizetype textBoxLimit = 32767; // Qt's longest line in a text box.

// ---- steps --------------------------------------------------------------------------

enum class Action {
    CommandByKeys,
    CommandByMouse,
    ItemWithoutHandlerByKeys,
    ItemWithoutHandlerByMouse,
    AltE,
    PushButton,
    FrameClose,
    Click,
    Key,
    Type,
    Commit,
    Paste,
    Resize,
};

struct Step {
    Action action = Action::AltE;
    int form = 0;    // Index into secondaryForms.
    int control = 0; // Index into the form's controls, or which menu item.
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;
    QSize size;
};

// The three commands and the three items without handlers, as menu paths.
const std::initializer_list<std::string_view> commandPaths[] = {
    {"Choices", "Options"}, {"Choices", "CheckBoxes"}, {"DialogueBoxes", "InputBoxes"}};
const std::initializer_list<std::string_view> idlePaths[] = {
    {"Choices", "Menus"},
    {"DialogueBoxes", "MsgBoxes", "ForOutputs"},
    {"DialogueBoxes", "MsgBoxes", "ForInputs"}};

QString describe(const Step& step) {
    const QString form = text(descriptionOf(secondaryForms[step.form]).name);
    const auto controlName = [&] {
        return text(descriptionOf(secondaryForms[step.form]).controls[step.control].name);
    };
    auto shortText = [](const QString& s) {
        QString shown;
        for (char32_t c : s.left(40).toUcs4())
            shown +=
                QChar::isPrint(c) ? QString::fromUcs4(&c, 1) : QString("\\x%1").arg(uint(c), 0, 16);
        return "\"" + shown +
               (s.size() > 40 ? QString("...\" (%1 characters)").arg(s.size()) : "\"");
    };
    switch (step.action) {
    case Action::CommandByKeys:
        return QString("command %1 by keys").arg(step.control);
    case Action::CommandByMouse:
        return QString("command %1 by mouse").arg(step.control);
    case Action::ItemWithoutHandlerByKeys:
        return QString("item without handler %1 by keys").arg(step.control);
    case Action::ItemWithoutHandlerByMouse:
        return QString("item without handler %1 by mouse").arg(step.control);
    case Action::AltE:
        return "Alt+E";
    case Action::PushButton:
        return "push button of " + form;
    case Action::FrameClose:
        return "frame close of " + form;
    case Action::Click:
        return "click " + controlName() + " on " + form;
    case Action::Key:
        return "key " + QKeySequence(step.key | step.modifiers).toString() + " on " + form;
    case Action::Type:
        return "type " + shortText(step.text) + " on " + form;
    case Action::Commit:
        return "input method commits " + shortText(step.text) + " on " + form;
    case Action::Paste:
        return "paste " + shortText(step.text) + " on " + form;
    case Action::Resize:
        return QString("resize %1 to %2x%3")
            .arg(form)
            .arg(step.size.width())
            .arg(step.size.height());
    }
    return {};
}

QString randomText(std::mt19937& rng, int length) {
    static const QString samples[] = {
        "Arthur",        "the Holy Grail",
        "déjà vu",       "Ærøskøbing",
        "Привет",        "漢字かな",
        "مرحبا",         "שלום",
        "e\u0301\u0323", "😀🏰",
        "a\tb",          "\x01\x07\x1b",
        "\u200f\u202e",  " ",
        "1234567890",
    };
    QString result;
    std::uniform_int_distribution<int> pick(0, int(std::size(samples)) - 1);
    while (result.size() < length)
        result += samples[pick(rng)];
    result.truncate(length);
    if (result.size() && result.back().isHighSurrogate())
        result.chop(1);
    return result;
}

Step randomStep(std::mt19937& rng) {
    auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    Step step;
    step.action = Action(below(int(Action::Resize) + 1));
    step.form = below(3);
    const int controls = int(descriptionOf(secondaryForms[step.form]).controls.size());
    step.control = below(controls);
    switch (step.action) {
    case Action::CommandByKeys:
    case Action::CommandByMouse:
    case Action::ItemWithoutHandlerByKeys:
    case Action::ItemWithoutHandlerByMouse:
        step.control = below(3);
        break;
    case Action::Key: {
        static const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Tab, {}},    {Qt::Key_Backtab, Qt::ShiftModifier},
            {Qt::Key_Return, {}}, {Qt::Key_Enter, Qt::KeypadModifier},
            {Qt::Key_Escape, {}}, {Qt::Key_Left, {}},
            {Qt::Key_Right, {}},  {Qt::Key_Up, {}},
            {Qt::Key_Down, {}},   {Qt::Key_Space, {}},
            {Qt::Key_Home, {}},   {Qt::Key_A, Qt::ControlModifier},
        };
        std::tie(step.key, step.modifiers) = keys[below(int(std::size(keys)))];
        break;
    }
    case Action::Type:
    case Action::Commit:
        step.text = randomText(rng, 1 + below(12));
        break;
    case Action::Paste:
        step.text = randomText(rng, below(100) == 0 ? 1024 * 1024 : 1 + below(200));
        break;
    case Action::Resize:
        step.size = QSize(80 + below(700), 60 + below(500));
        break;
    default:
        break;
    }
    return step;
}

// Whether a text box takes a character typed on the keyboard: one that prints, a
// formatting mark, a private-use character, or a whole surrogate pair.
bool typable(const QString& unit) {
    const QChar c = unit[0];
    return c.isPrint() || c.category() == QChar::Other_Format ||
           c.category() == QChar::Other_PrivateUse ||
           (c.isHighSurrogate() && unit.size() > 1 && unit[1].isLowSurrogate());
}

// ---- the reference model ----------------------------------------------------------------

struct ModelForm {
    bool created = false;
    bool shown = false;
    bool firstShow = false; // Shown for the first time by the last step.
    std::map<QString, bool> checked;
    std::map<QString, QString> text;

    QString state() const {
        QStringList parts;
        for (const auto& [name, set] : checked)
            parts << name + (set ? " set" : " clear");
        for (const auto& [name, typed] : text)
            parts << name + " \"" + typed + "\"";
        parts.sort();
        return parts.join(", ");
    }
};

struct Model {
    std::array<ModelForm, 3> forms;

    void show(int form) {
        ModelForm& model = forms[form];
        model.firstShow = !model.created;
        if (!model.created) {
            for (const ControlDescription& c : descriptionOf(secondaryForms[form]).controls) {
                const QString name = text(c.name);
                if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::OptionButton)
                    model.checked[name] = false;
                else if (c.kind == ControlKind::TextBox)
                    model.text[name] = QString();
            }
        }
        model.created = model.shown = true;
    }

    void select(int form, const QString& option) {
        for (const ControlDescription& c : descriptionOf(secondaryForms[form]).controls)
            if (c.kind == ControlKind::OptionButton)
                forms[form].checked[text(c.name)] = text(c.name) == option;
    }

    // Text entered into a box: it replaces the selection and goes in at the cursor, as
    // much of it as fits under the box's limit.
    void insert(int form, const QLineEdit* box, const QString& entered) {
        QString& value = forms[form].text[box->objectName()];
        int cursor = box->cursorPosition();
        if (box->hasSelectedText()) {
            cursor = box->selectionStart();
            value.remove(cursor, box->selectedText().size());
        }
        QString fitting = entered.left(std::max<qsizetype>(0, textBoxLimit - value.size()));
        if (fitting.size() && fitting.back().isHighSurrogate() && fitting.size() < entered.size())
            fitting.chop(1);
        value.insert(cursor, fitting);
    }
};

// ---- running steps on the program and the model ---------------------------------------

struct Divergence {
    int step;
    QString message;
};

class Run {
public:
    Run() : m_platform(program), m_form1(showStartForm(m_platform)) {
        if (!m_form1)
            qFatal("Form1 did not become active");
    }
    ~Run() { closeMenus(); }

    std::optional<Divergence> apply(const std::vector<Step>& steps) {
        for (int index = 0; index < int(steps.size()); ++index) {
            QString problem = apply(steps[index]);
            if (problem.isEmpty())
                problem = compare();
            if (!problem.isEmpty())
                return Divergence{index, problem};
        }
        return std::nullopt;
    }

private:
    QtPlatform m_platform;
    QMainWindow* m_form1;
    Model m_model;

    QMainWindow* window(int form) const {
        return qobject_cast<QMainWindow*>(m_platform.window(secondaryForms[form]));
    }

    bool shown(int form) const { return window(form) && window(form)->isVisible(); }

    // The control that keys reach in a window made active for them.
    QWidget* focusFor(int form) {
        window(form)->activateWindow();
        if (!QTest::qWaitForWindowActive(window(form)))
            qWarning("%s did not become active", qPrintable(window(form)->objectName()));
        return window(form)->focusWidget();
    }

    QString apply(const Step& step) {
        for (ModelForm& form : m_model.forms)
            form.firstShow = false;
        const int form = step.form;
        switch (step.action) {
        case Action::CommandByKeys:
        case Action::CommandByMouse: {
            const auto& path = commandPaths[step.control];
            const QString problem = step.action == Action::CommandByKeys
                                        ? chooseByKeys(m_form1, path)
                                        : chooseByMouse(m_form1, path);
            m_model.show(step.control);
            return problem;
        }
        case Action::ItemWithoutHandlerByKeys:
            return chooseByKeys(m_form1, idlePaths[step.control]);
        case Action::ItemWithoutHandlerByMouse:
            return chooseByMouse(m_form1, idlePaths[step.control]);
        case Action::AltE:
            m_form1->activateWindow();
            QTest::keyClick(m_form1->windowHandle(), Qt::Key_E, Qt::AltModifier);
            return {};
        case Action::PushButton:
        case Action::FrameClose:
            if (!shown(form))
                return {};
            if (step.action == Action::PushButton)
                click(control(window(form), "Command1"));
            else
                window(form)->close();
            m_model.forms[form].shown = false;
            return {};
        case Action::Click:
            return clickControl(form, descriptionOf(secondaryForms[form]).controls[step.control]);
        case Action::Key:
            return pressKey(form, step);
        case Action::Type:
        case Action::Commit:
        case Action::Paste:
            return enterText(form, step);
        case Action::Resize:
            if (shown(form))
                window(form)->resize(step.size);
            return {};
        }
        return {};
    }

    QString clickControl(int form, const ControlDescription& description) {
        if (!shown(form))
            return {};
        QWidget* target = control(window(form), description.name);
        QWidget* focusBefore = focusFor(form);
        click(target);
        const QString name = text(description.name);
        switch (description.kind) {
        case ControlKind::CommandButton:
            m_model.forms[form].shown = false;
            return {};
        case ControlKind::OptionButton:
            m_model.select(form, name);
            break;
        case ControlKind::CheckBox:
            m_model.forms[form].checked[name] = !m_model.forms[form].checked[name];
            break;
        case ControlKind::Label:
            // A click on a label moves no focus.
            if (window(form)->focusWidget() != focusBefore)
                return "a click on " + name + " moved the focus";
            return {};
        case ControlKind::TextBox:
            break;
        }
        if (window(form)->focusWidget() != target)
            return "a click on " + name + " did not give it the focus";
        return {};
    }

    QString pressKey(int form, const Step& step) {
        if (!shown(form))
            return {};
        QWidget* focus = focusFor(form);
        const QString name = focus ? focus->objectName() : QString();
        auto* option = qobject_cast<QAbstractButton*>(focus);
        const bool isOption = option && option->autoExclusive();
        const bool wasChecked = option && option->isChecked();
        ModelForm& model = m_model.forms[form];
        if (step.key == Qt::Key_Space && focus) {
            if (qobject_cast<QLineEdit*>(focus))
                m_model.insert(form, static_cast<QLineEdit*>(focus), " ");
            else if (isOption)
                m_model.select(form, name);
            else if (option && option->isCheckable())
                model.checked[name] = !model.checked[name];
            else if (option)
                model.shown = false; // The push button.
        }
        QTest::keyClick(window(form)->windowHandle(), step.key, step.modifiers);

        // An arrow from the selected option selects the option that lies that way.
        if (isOption && wasChecked) {
            const bool forward = step.key == Qt::Key_Right || step.key == Qt::Key_Down;
            const bool backward = step.key == Qt::Key_Left || step.key == Qt::Key_Up;
            if (forward && name == "Option1")
                m_model.select(form, "Option2");
            if (backward && name == "Option2")
                m_model.select(form, "Option1");
        }
        if (model.shown) {
            QWidget* now = window(form)->focusWidget();
            if (qobject_cast<QLabel*>(now))
                return "the focus went to the label " + now->objectName();
            if (now && now->window() != window(form))
                return "the focus left its window";
        }
        return {};
    }

    QString enterText(int form, const Step& step) {
        if (!shown(form))
            return {};
        QWidget* focus = focusFor(form);
        auto* box = qobject_cast<QLineEdit*>(focus);
        if (step.action == Action::Commit) {
            if (!box)
                return {}; // Only a text box takes input-method text.
            m_model.insert(form, box, step.text);
            commitText(box, step.text);
        } else if (step.action == Action::Paste) {
            QApplication::clipboard()->setText(step.text);
            if (box)
                m_model.insert(form, box, step.text);
            QTest::keySequence(window(form)->windowHandle(), QKeySequence::Paste);
        } else {
            // Typed text arrives a character at a time; a character that does not
            // print, such as a control character, enters nothing.
            for (qsizetype i = 0; i < step.text.size(); ++i) {
                QString unit = step.text.mid(i, step.text[i].isHighSurrogate() ? 2 : 1);
                i += unit.size() - 1;
                if (box && typable(unit))
                    m_model.insert(form, box, unit);
                QTest::sendKeyEvent(QTest::Click, window(form)->windowHandle(), Qt::Key_unknown,
                                    unit, Qt::NoModifier);
            }
        }
        return {};
    }

    QString compare() const {
        if (QWidget* popup = QApplication::activePopupWidget())
            return "a menu is still open: " + popup->objectName();
        if (!m_form1->isVisible())
            return "Form1 is no longer shown";
        int windows = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            windows += qobject_cast<QMainWindow*>(widget) ? 1 : 0;
        int created = 1;
        for (int form = 0; form < 3; ++form) {
            const ModelForm& model = m_model.forms[form];
            const QString name = text(descriptionOf(secondaryForms[form]).name);
            QMainWindow* real = window(form);
            created += real ? 1 : 0;
            if (bool(real) != model.created)
                return name + (model.created ? " was not created" : " was created");
            if (!real)
                continue;
            if (real->isVisible() != model.shown)
                return name + (model.shown ? " is hidden" : " is shown");
            if (const QString state = stateOf(real); state != model.state())
                return name + " holds " + state.left(300) + ", expected " + model.state().left(300);
            for (const ControlDescription& c : descriptionOf(secondaryForms[form]).controls) {
                const QRect place(c.left / 15, c.top / 15, c.width / 15, c.height / 15);
                if (control(real, c.name)->geometry() != place)
                    return text(c.name) + " on " + name + " moved";
            }
            if (model.firstShow) {
                const ControlDescription& first = descriptionOf(secondaryForms[form]).controls[0];
                const std::string_view expected =
                    first.kind == ControlKind::Label
                        ? descriptionOf(secondaryForms[form]).controls[1].name
                        : first.name;
                if (real->focusWidget() != control(real, expected))
                    return name + " was first shown with the focus elsewhere";
            }
        }
        if (windows != created)
            return QString("%1 windows for %2 forms").arg(windows).arg(created);
        return {};
    }
};

// Removes steps while the divergence remains, to leave a short list that shows it.
std::vector<Step> shorten(std::vector<Step> steps) {
    for (std::size_t chunk = steps.size() / 2; chunk >= 1; chunk /= 2) {
        for (std::size_t start = 0; start < steps.size();) {
            std::vector<Step> candidate = steps;
            candidate.erase(candidate.begin() + start,
                            candidate.begin() + std::min(steps.size(), start + chunk));
            std::optional<Divergence> divergence = Run().apply(candidate);
            if (divergence && divergence->step == int(candidate.size()) - 1)
                steps = candidate;
            else
                start += chunk;
        }
    }
    return steps;
}

} // namespace

class ModelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformNotes(); }

    void programAgreesWithItsModel() {
        const int steps = qEnvironmentVariableIsSet("MODEL_STEPS")
                              ? qEnvironmentVariableIntValue("MODEL_STEPS")
                              : 2000;
        const unsigned firstSeed = qEnvironmentVariableIsSet("MODEL_SEED")
                                       ? unsigned(qEnvironmentVariableIntValue("MODEL_SEED"))
                                       : 1;
        QElapsedTimer timer;
        timer.start();
        for (int done = 0, episode = 0; done < steps; done += stepsPerEpisode, ++episode) {
            const unsigned seed = firstSeed + unsigned(episode);
            std::mt19937 rng(seed);
            std::vector<Step> sequence;
            for (int i = 0; i < std::min(stepsPerEpisode, steps - done); ++i)
                sequence.push_back(randomStep(rng));

            std::optional<Divergence> divergence = Run().apply(sequence);
            if (!divergence)
                continue;
            sequence.resize(divergence->step + 1);
            const std::vector<Step> shortest = shorten(sequence);
            const std::optional<Divergence> shown = Run().apply(shortest);
            QString report = QString("seed %1 (MODEL_SEED=%1 MODEL_STEPS=%2): after step %3, %4\n"
                                     "These %5 steps show it:\n")
                                 .arg(seed)
                                 .arg(stepsPerEpisode)
                                 .arg(divergence->step + 1)
                                 .arg(divergence->message)
                                 .arg(shortest.size());
            for (const Step& step : shortest)
                report += "  " + describe(step) + "\n";
            if (shown)
                report += "then: " + shown->message;
            QFAIL(qPrintable(report));
        }
        qInfo("%d steps from seed %u agreed with the model in %.1f s", steps, firstSeed,
              double(timer.elapsed()) / 1000);
    }
};

QTEST_MAIN(ModelTest)
#include "model_test.moc"
