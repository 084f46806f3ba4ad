#include "app/MainActions.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

#include <initializer_list>
#include <utility>

namespace {

struct TCommand {
    QAction *TMainActions::*item;
    const char *name;
    const char *text;
    const char *icon;
    const char *toolTip = nullptr;  // none: the text (the commands of the original menus)
};

const TCommand kCommands[] = {
    {&TMainActions::ItemOpen, "ItemOpen", "Открыть", "open"},
    {&TMainActions::ItemSave, "ItemSave", "Сохранить", "save"},
    {&TMainActions::ItemExit, "ItemExit", "Выход", "exit"},
    {&TMainActions::ItemChoiceInterval, "ItemChoiceInterval", "Выбор интервала", "interval"},
    {&TMainActions::ItemGo, "ItemGo", "Начать прием информации", "go"},
    {&TMainActions::ItemStop, "ItemStop", "Закончить прием информации", "stop"},
    {&TMainActions::ItemSmoothMean, "ItemSmoothMean", "Сглаживание скользящим средним", "smooth_mean"},
    {&TMainActions::ItemSmoothPoly, "ItemSmoothPoly", "Сглаживание по семи точкам", "smooth_poly"},
    {&TMainActions::ItemSmoothSpline, "ItemSmoothSpline", "Сглаживание сплайном", "smooth_spline"},
    {&TMainActions::ItemCalculate, "ItemCalculate", "Расчет", "calc"},
    {&TMainActions::ItemSved, "ItemSved", "Сведение", "sved"},
    {&TMainActions::ItemTest, "ItemTest", "Тестовый пример", "test"},
    {&TMainActions::ItemExcel, "ItemExcel", "Экспорт в Excel", "excel"},
    {&TMainActions::ItemSettings, "ItemSettings", "Параметры", "settings"},
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
        auto *action = new QAction(ProgramIcon(QString::fromLatin1(c.icon)), QString::fromUtf8(c.text), &window);
        action->setObjectName(QString::fromLatin1(c.name));
        action->setToolTip(c.toolTip ? QString::fromUtf8(c.toolTip) : action->text());
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
    a.SubInfo = AddMenu(bar, "SubInfo", "Информация", {a.ItemAbout});

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
