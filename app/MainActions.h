#pragma once
// The commands of the main window as actions, each with its icon, and the menu
// bar and toolbar built from them in their fixed order. The main window
// connects each action to its handler.
#include <QIcon>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

struct TMainActions {
    QAction *ItemOpen = nullptr;            // "Открыть"
    QAction *ItemSave = nullptr;            // "Сохранить"
    QAction *ItemExit = nullptr;            // "Выход"
    QAction *ItemChoiceInterval = nullptr;  // "Выбор интервала"
    QAction *ItemGo = nullptr;              // "Начать прием информации"
    QAction *ItemStop = nullptr;            // "Закончить прием информации"
    QAction *ItemSmoothMean = nullptr;      // "Сглаживание скользящим средним"
    QAction *ItemSmoothPoly = nullptr;      // "Сглаживание по семи точкам"
    QAction *ItemSmoothSpline = nullptr;    // "Сглаживание сплайном"
    QAction *ItemCalculate = nullptr;       // "Расчет"
    QAction *ItemSved = nullptr;            // "Сведение"
    QAction *ItemTest = nullptr;            // "Тестовый пример"
    QAction *ItemExcel = nullptr;           // "Экспорт в Excel"
    QAction *ItemSettings = nullptr;        // "Параметры"
    QAction *ItemHelp = nullptr;            // "Справка": the user's manual
    QAction *ItemAbout = nullptr;           // "О программе"
    QAction *ItemCorrection = nullptr;      // "Коррекция по эталону"
    QAction *ItemPhysical = nullptr;        // "Физический КТР"
    QAction *ItemGlass = nullptr;           // "Стеклование и размягчение"
    QAction *ItemSoftening = nullptr;       // "Выключение нагрева при размягчении"
    QAction *ItemArchive = nullptr;         // "Архив запусков"
    QAction *ItemSampleDescription = nullptr;  // "Описание образца"
    QAction *ItemReport = nullptr;          // "Отчет"

    QMenu *SubFile = nullptr;        // "Файл"
    QMenu *SubEdit = nullptr;        // "Правка"
    QMenu *SubADC = nullptr;         // "АЦП"
    QMenu *SubProcessing = nullptr;  // "Обработка"
    QMenu *SubService = nullptr;     // "Сервис"
    QMenu *SubAnalysis = nullptr;    // "Анализ": the commands beyond the original menus
    QMenu *SubArchive = nullptr;     // "Архив"
    QMenu *SubInfo = nullptr;        // "Информация"
    QToolBar *ToolBar1 = nullptr;
};

// Creates the actions (owned by window), the menu bar and the toolbar.
TMainActions CreateMainActions(QMainWindow &window);

// The icons shipped with the program, by name ("open", "varotem", ...).
QIcon ProgramIcon(const QString &name);
