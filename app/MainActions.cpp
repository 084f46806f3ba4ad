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
    {&TMainActions::ItemOpen, "ItemOpen", "Открыть", "open", nullptr, {QKeySequence::Open, Qt::CTRL | Qt::Key_O}},
    {&TMainActions::ItemSave, "ItemSave", "Сохранить", "save", nullptr, {QKeySequence::Save, Qt::CTRL | Qt::Key_S}},
    {&TMainActions::ItemExit, "ItemExit", "Выход", "exit", nullptr, {QKeySequence::Quit, Qt::CTRL | Qt::Key_Q}},
    {&TMainActions::ItemChoiceInterval, "ItemChoiceInterval", "Выбор интервала", "interval"},
    {&TMainActions::ItemGo, "ItemGo", "Начать прием информации", "go", nullptr, {.fixed = Qt::Key_F5}},
    {&TMainActions::ItemStop, "ItemStop", "Закончить прием информации", "stop", nullptr,
     {.fixed = Qt::SHIFT | Qt::Key_F5}},
    {&TMainActions::ItemSmoothMean, "ItemSmoothMean", "Сглаживание скользящим средним", "smooth_mean"},
    {&TMainActions::ItemSmoothPoly, "ItemSmoothPoly", "Сглаживание по семи точкам", "smooth_poly"},
    {&TMainActions::ItemSmoothSpline, "ItemSmoothSpline", "Сглаживание сплайном", "smooth_spline"},
    {&TMainActions::ItemCalculate, "ItemCalculate", "Расчет", "calc"},
    {&TMainActions::ItemSved, "ItemSved", "Сведение", "sved"},
    {&TMainActions::ItemTest, "ItemTest", "Тестовый пример", "test"},
    {&TMainActions::ItemExcel, "ItemExcel", "Экспорт в Excel", "excel"},
    {&TMainActions::ItemSettings, "ItemSettings", "Параметры", "settings"},
    {&TMainActions::ItemHelp, "ItemHelp", QT_TRANSLATE_NOOP("MainActions", "Справка"), "help", nullptr,
     {.fixed = Qt::Key_F1}},
    {&TMainActions::ItemAbout, "ItemAbout", "О программе", "about"},
    {&TMainActions::ItemCorrection, "ItemCorrection", "Коррекция по эталону", "correction",
     "Коррекция по эталону: запись эталонного образца в файл коррекции для базовой линии"},
    {&TMainActions::ItemPhysical, "ItemPhysical", "Физический КТР", "physical",
     "Физический КТР: удлинение, деформация, средний и физический коэффициенты расширения по температуре"},
    {&TMainActions::ItemGlass, "ItemGlass", "Стеклование и размягчение", "glass",
     "Температура стеклования Tg по касательным к прямым участкам кривой L(T) и температура размягчения Ts"},
    {&TMainActions::ItemSoftening, "ItemSoftening", "Выключение нагрева при размягчении", "softening",
     "Выключать нагрев во время приема информации, когда образец размягчился"},
    {&TMainActions::ItemArchive, "ItemArchive", "Архив запусков", "archive",
     "Архив запусков: поиск, открытие, сравнение, отчеты"},
    {&TMainActions::ItemSampleDescription, "ItemSampleDescription", "Описание образца", "description",
     "Описание образца текущего запуска: образец, материал, партия, оператор"},
    {&TMainActions::ItemReport, "ItemReport", "Отчет", "report", "Отчет о текущем запуске в PDF"},
};

// A null entry stands for a separator.
QMenu *AddMenu(QMenuBar *bar, const char *name, const char *title, std::initializer_list<QAction *> items)
{
    QMenu *menu = bar->addMenu(QString::fromUtf8(title));
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
                                   QCoreApplication::translate("MainActions", c.text), &window);
        action->setObjectName(QString::fromLatin1(c.name));
        action->setToolTip(c.toolTip ? QCoreApplication::translate("MainActions", c.toolTip) : action->text());
        SetKey(*action, c.key);
        action->setIconVisibleInMenu(true);
        a.*c.item = action;
    }

    QMenuBar *bar = window.menuBar();
    a.SubFile = AddMenu(bar, "SubFile", "Файл", {a.ItemOpen, a.ItemSave, nullptr, a.ItemExit});
    a.SubEdit = AddMenu(bar, "SubEdit", "Правка", {a.ItemChoiceInterval});
    a.SubADC = AddMenu(bar, "SubADC", "АЦП", {a.ItemGo, a.ItemStop});
    a.SubProcessing = AddMenu(bar, "SubProcessing", "Обработка",
                              {a.ItemSmoothMean, a.ItemSmoothPoly, a.ItemSmoothSpline, a.ItemCalculate, a.ItemSved});
    a.SubService = AddMenu(bar, "SubService", "Сервис", {a.ItemTest, a.ItemExcel, nullptr, a.ItemSettings});
    a.SubAnalysis = AddMenu(bar, "SubAnalysis", "Анализ",
                            {a.ItemCorrection, a.ItemPhysical, nullptr, a.ItemGlass, a.ItemSoftening});
    a.SubAnalysis->setToolTipsVisible(true);
    a.SubArchive = AddMenu(bar, "SubArchive", "Архив", {a.ItemArchive, a.ItemSampleDescription, a.ItemReport});
    a.SubArchive->setToolTipsVisible(true);
    a.SubInfo = AddMenu(bar, "SubInfo", "Информация", {a.ItemHelp, a.ItemAbout});

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
