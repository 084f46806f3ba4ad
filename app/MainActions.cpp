#include "app/MainActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

#include <initializer_list>
#include <utility>

namespace {

// A command's key: the desktop's own key for a standard command, or a fixed
// one (also taken when the desktop has no key for the standard command).
struct TKey {
    QKeySequence::StandardKey standard = QKeySequence::UnknownKey;
    QKeyCombination fixed = Qt::Key_unknown;  // none
};

struct TCommand {
    QAction *TMainActions::*item;
    const char *name;
    const char *text;
    const char *icon;
    const char *toolTip = nullptr;  // none: the text (the commands of the original menus)
    TKey key = {};                  // none: no shortcut
};

const TCommand kCommands[] = {
    {&TMainActions::ItemOpen, "ItemOpen", QT_TRANSLATE_NOOP("MainMenu", "Открыть"), "open", nullptr, {QKeySequence::Open, Qt::CTRL | Qt::Key_O}},
    {&TMainActions::ItemSave, "ItemSave", QT_TRANSLATE_NOOP("MainMenu", "Сохранить"), "save", nullptr, {QKeySequence::Save, Qt::CTRL | Qt::Key_S}},
    {&TMainActions::ItemExit, "ItemExit", QT_TRANSLATE_NOOP("MainMenu", "Выход"), "exit", nullptr, {QKeySequence::Quit, Qt::CTRL | Qt::Key_Q}},
    {&TMainActions::ItemChoiceInterval, "ItemChoiceInterval", QT_TRANSLATE_NOOP("MainMenu", "Выбор интервала"), "interval"},
    {&TMainActions::ItemGo, "ItemGo", QT_TRANSLATE_NOOP("MainMenu", "Начать прием информации"), "go", nullptr, {.fixed = Qt::Key_F5}},
    {&TMainActions::ItemStop, "ItemStop", QT_TRANSLATE_NOOP("MainMenu", "Закончить прием информации"), "stop", nullptr,
     {.fixed = Qt::SHIFT | Qt::Key_F5}},
    {&TMainActions::ItemSmoothMean, "ItemSmoothMean", QT_TRANSLATE_NOOP("MainMenu", "Сглаживание скользящим средним"), "smooth_mean"},
    {&TMainActions::ItemSmoothPoly, "ItemSmoothPoly", QT_TRANSLATE_NOOP("MainMenu", "Сглаживание по семи точкам"), "smooth_poly"},
    {&TMainActions::ItemSmoothSpline, "ItemSmoothSpline", QT_TRANSLATE_NOOP("MainMenu", "Сглаживание сплайном"), "smooth_spline"},
    {&TMainActions::ItemCalculate, "ItemCalculate", QT_TRANSLATE_NOOP("MainMenu", "Расчет"), "calc"},
    {&TMainActions::ItemSved, "ItemSved", QT_TRANSLATE_NOOP("MainMenu", "Сведение"), "sved"},
    {&TMainActions::ItemTest, "ItemTest", QT_TRANSLATE_NOOP("MainMenu", "Тестовый пример"), "test"},
    {&TMainActions::ItemExcel, "ItemExcel", QT_TRANSLATE_NOOP("MainMenu", "Экспорт в Excel"), "excel"},
    {&TMainActions::ItemSettings, "ItemSettings", QT_TRANSLATE_NOOP("MainMenu", "Параметры"), "settings"},
    {&TMainActions::ItemHelp, "ItemHelp", QT_TRANSLATE_NOOP("MainMenu", "Справка"), "help", nullptr,
     {.fixed = Qt::Key_F1}},
    {&TMainActions::ItemAbout, "ItemAbout", QT_TRANSLATE_NOOP("MainMenu", "О программе"), "about"},
    {&TMainActions::ItemCorrection, "ItemCorrection", QT_TRANSLATE_NOOP("MainMenu", "Коррекция по эталону"), "correction",
     QT_TRANSLATE_NOOP("MainMenu", "Коррекция по эталону: запись эталонного образца в файл коррекции для базовой линии")},
    {&TMainActions::ItemPhysical, "ItemPhysical", QT_TRANSLATE_NOOP("MainMenu", "Физический КТР"), "physical",
     QT_TRANSLATE_NOOP("MainMenu", "Физический КТР: удлинение, деформация, средний и физический коэффициенты расширения по температуре")},
    {&TMainActions::ItemGlass, "ItemGlass", QT_TRANSLATE_NOOP("MainMenu", "Стеклование и размягчение"), "glass",
     QT_TRANSLATE_NOOP("MainMenu", "Температура стеклования Tg по касательным к прямым участкам кривой L(T) и температура размягчения Ts")},
    {&TMainActions::ItemSoftening, "ItemSoftening", QT_TRANSLATE_NOOP("MainMenu", "Выключение нагрева при размягчении"), "softening",
     QT_TRANSLATE_NOOP("MainMenu", "Выключать нагрев во время приема информации, когда образец размягчился")},
    {&TMainActions::ItemArchive, "ItemArchive", QT_TRANSLATE_NOOP("MainMenu", "Архив запусков"), "archive",
     QT_TRANSLATE_NOOP("MainMenu", "Архив запусков: поиск, открытие, сравнение, отчеты")},
    {&TMainActions::ItemSampleDescription, "ItemSampleDescription", QT_TRANSLATE_NOOP("MainMenu", "Описание образца"), "description",
     QT_TRANSLATE_NOOP("MainMenu", "Описание образца текущего запуска: образец, материал, партия, оператор")},
    {&TMainActions::ItemReport, "ItemReport", QT_TRANSLATE_NOOP("MainMenu", "Отчет"), "report", QT_TRANSLATE_NOOP("MainMenu", "Отчет о текущем запуске в PDF")},
};

// The commands' and menus' texts are translated in the context "MainMenu".
QString MenuText(const char *text) { return QCoreApplication::translate("MainMenu", text); }

// A null entry stands for a separator.
QMenu *AddMenu(QMenuBar *bar, const char *name, const char *title, std::initializer_list<QAction *> items)
{
    QMenu *menu = bar->addMenu(MenuText(title));
    menu->setObjectName(QString::fromLatin1(name));
    for (QAction *item : items) {
        if (item)
            menu->addAction(item);
        else
            menu->addSeparator();
    }
    return menu;
}

void SetKey(QAction &action, const TKey &key)
{
    QList<QKeySequence> keys;
    if (key.standard != QKeySequence::UnknownKey)
        keys = QKeySequence::keyBindings(key.standard);
    if (keys.isEmpty() && key.fixed.key() != Qt::Key_unknown)
        keys = {QKeySequence(key.fixed)};
    if (!keys.isEmpty())
        action.setShortcuts(keys);
}

} // namespace

// The icons live in this static library; its resources are registered by
// hand. Outside any namespace, as the registration macro requires.
static void InitIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(varotem);
        return true;
    }();
    (void)registered;
}

QIcon ProgramIcon(const QString &name)
{
    InitIconResources();
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

TMainActions CreateMainActions(QMainWindow &window)
{
    TMainActions a;
    for (const TCommand &c : kCommands) {
        auto *action = new QAction(ProgramIcon(QString::fromLatin1(c.icon)),
                                   MenuText(c.text), &window);
        action->setObjectName(QString::fromLatin1(c.name));
        action->setToolTip(c.toolTip ? MenuText(c.toolTip) : action->text());
        SetKey(*action, c.key);
        action->setIconVisibleInMenu(true);
        a.*c.item = action;
    }

    QMenuBar *bar = window.menuBar();
    a.SubFile = AddMenu(bar, "SubFile", QT_TRANSLATE_NOOP("MainMenu", "Файл"), {a.ItemOpen, a.ItemSave, nullptr, a.ItemExit});
    a.SubEdit = AddMenu(bar, "SubEdit", QT_TRANSLATE_NOOP("MainMenu", "Правка"), {a.ItemChoiceInterval});
    a.SubADC = AddMenu(bar, "SubADC", QT_TRANSLATE_NOOP("MainMenu", "АЦП"), {a.ItemGo, a.ItemStop});
    a.SubProcessing = AddMenu(bar, "SubProcessing", QT_TRANSLATE_NOOP("MainMenu", "Обработка"),
                              {a.ItemSmoothMean, a.ItemSmoothPoly, a.ItemSmoothSpline, a.ItemCalculate, a.ItemSved});
    a.SubService = AddMenu(bar, "SubService", QT_TRANSLATE_NOOP("MainMenu", "Сервис"), {a.ItemTest, a.ItemExcel, nullptr, a.ItemSettings});
    a.SubAnalysis = AddMenu(bar, "SubAnalysis", QT_TRANSLATE_NOOP("MainMenu", "Анализ"),
                            {a.ItemCorrection, a.ItemPhysical, nullptr, a.ItemGlass, a.ItemSoftening});
    a.SubAnalysis->setToolTipsVisible(true);
    a.SubArchive = AddMenu(bar, "SubArchive", QT_TRANSLATE_NOOP("MainMenu", "Архив"), {a.ItemArchive, a.ItemSampleDescription, a.ItemReport});
    a.SubArchive->setToolTipsVisible(true);
    a.SubInfo = AddMenu(bar, "SubInfo", QT_TRANSLATE_NOOP("MainMenu", "Информация"), {a.ItemHelp, a.ItemAbout});

    a.ToolBar1 = window.addToolBar(QStringLiteral("ToolBar1"));
    a.ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    a.ToolBar1->setMovable(false);
    a.ToolBar1->setFloatable(false);
    a.ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    a.ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    for (QAction *item : std::initializer_list<QAction *>{a.ItemOpen, a.ItemSave, nullptr, a.ItemChoiceInterval, nullptr, a.ItemGo, a.ItemStop,
                          nullptr, a.ItemSmoothMean, a.ItemSmoothPoly, a.ItemSmoothSpline, a.ItemTest,
                          a.ItemCalculate, a.ItemSved, nullptr, a.ItemExcel, nullptr, a.ItemAbout}) {
        if (item)
            a.ToolBar1->addAction(item);
        else
            a.ToolBar1->addSeparator();
    }
    return a;
}
