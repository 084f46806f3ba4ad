<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>Acquisition</name>
    <message>
        <source>Не удалось записать точку %1 в журнал приема информации %2.
Прием информации продолжается. Пока журнал не удается записать, это сообщение не повторяется.</source>
        <translation>Sample %1 could not be written to the acquisition journal %2.
Acquisition goes on. This message is not repeated while the journal cannot be written.</translation>
    </message>
    <message>
        <source>Устройство АЦП не найдено!</source>
        <translation>ADC device not found!</translation>
    </message>
    <message>
        <source>Весы не найдены!</source>
        <translation>Weigher not found!</translation>
    </message>
    <message>
        <source>Журнал приема информации не удалось создать: %1.
Прием информации идет без журнала: при сбое программы точки после последнего автосохранения будут потеряны.</source>
        <translation>The acquisition journal could not be created: %1.
Acquisition goes on without a journal: if the program fails, the samples after the last autosave will be lost.</translation>
    </message>
    <message>
        <source>Прием информации остановлен. Записанные точки (%1) </source>
        <translation>Acquisition stopped. The recorded samples (%1) </translation>
    </message>
    <message>
        <source>остались в памяти.</source>
        <translation>remain in memory.</translation>
    </message>
    <message>
        <source>остались в памяти.
</source>
        <translation>remain in memory.
</translation>
    </message>
    <message>
        <source>сохранены в файле &quot;%1&quot;.</source>
        <translation>are saved in the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Автосохранение: %1</source>
        <translation>Autosave: %1</translation>
    </message>
    <message>
        <source>
Журнал приема информации сохранен: при следующем запуске программа предложит восстановить запись.</source>
        <translation>
The acquisition journal is kept: the program will offer to recover the run at its next start.</translation>
    </message>
    <message>
        <source>Образец размягчился: удлинение прошло максимум %1 мкм при T = %2 °C и уменьшилось на %3 мкм (точка %4). Нагрев выключен.</source>
        <translation>The sample has softened: the elongation passed its maximum of %1 µm at T = %2 °C and fell by %3 µm (sample %4). Heating switched off.</translation>
    </message>
    <message>
        <source>Автосохранение: %1
Прием информации продолжается. Пока файл не удается записать, это сообщение не повторяется.</source>
        <translation>Autosave: %1
Acquisition goes on. This message is not repeated while the file cannot be written.</translation>
    </message>
</context>
<context>
    <name>Calibration</name>
    <message>
        <source>Файл не найден: </source>
        <translation>File not found: </translation>
    </message>
    <message>
        <source>нужно от 3 до 100 точек</source>
        <translation>3 to 100 points are needed</translation>
    </message>
    <message>
        <source>в таблице есть значения, не являющиеся числами</source>
        <translation>the table holds values that are not numbers</translation>
    </message>
    <message>
        <source>значения X должны строго возрастать</source>
        <translation>the X values must be strictly increasing</translation>
    </message>
    <message>
        <source>сплайн не построен</source>
        <translation>the spline could not be built</translation>
    </message>
    <message>
        <source>Значения T и TC оставлены</source>
        <translation>T and TC are left</translation>
    </message>
    <message>
        <source>Значения %1 оставлены</source>
        <translation>%1 values are left</translation>
    </message>
    <message>
        <source>Калибровка %1 по реперным точкам невозможна: %2! %3 без калибровки.</source>
        <translation>Calibration of %1 by reference points is impossible: %2! %3 uncalibrated.</translation>
    </message>
</context>
<context>
    <name>DataFiles</name>
    <message>
        <source>Файл &quot;%1&quot; не является файлом данных: число точек %2 больше %3!</source>
        <translation>The file &quot;%1&quot; is not a data file: its sample count %2 exceeds %3!</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не записан: значение точки %2 не является числом!</source>
        <translation>The file &quot;%1&quot; was not written: the value of sample %2 is not a number!</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>это не журнал приема информации</source>
        <translation>it is not an acquisition journal</translation>
    </message>
    <message>
        <source>журнал другой версии формата (%1)</source>
        <translation>the journal has another format version (%1)</translation>
    </message>
    <message>
        <source>заголовок журнала поврежден</source>
        <translation>the journal header is damaged</translation>
    </message>
    <message>
        <source>&quot;%1&quot; не удалось переименовать в &quot;%2&quot; (%3)</source>
        <translation>&quot;%1&quot; could not be renamed to &quot;%2&quot; (%3)</translation>
    </message>
    <message>
        <source>нет имени файла автосохранения</source>
        <translation>no autosave file name</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: его ведет другая копия программы</source>
        <translation>&quot;%1&quot;: another copy of the program is writing it</translation>
    </message>
    <message>
        <source>Найден журнал прерванного приема информации; он сохранен как &quot;%1&quot;.</source>
        <translation>A journal of an interrupted acquisition was found; it is kept as &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>журнал не открыт</source>
        <translation>the journal is not open</translation>
    </message>
    <message>
        <source>точка %1 вне журнала</source>
        <translation>sample %1 is outside the journal</translation>
    </message>
    <message>
        <source>Найден незавершенный журнал приема информации; он сохранен как &quot;%1&quot;.</source>
        <translation>An unfinished acquisition journal was found; it is kept as &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>JournalRecovery</name>
    <message>
        <source> Журнал оставлен на месте: %1.</source>
        <translation> The journal is left in place: %1.</translation>
    </message>
    <message>
        <source> Журнал сохранен как &quot;%1&quot;.</source>
        <translation> The journal is kept as &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Журнал прерванного приема информации &quot;%1&quot; не удалось прочитать (%2).</source>
        <translation>The journal of an interrupted acquisition &quot;%1&quot; could not be read (%2).</translation>
    </message>
    <message>
        <source>в нем нет ни одной целой записи</source>
        <translation>it holds no intact record</translation>
    </message>
    <message>
        <source>Журнал прерванного приема информации &quot;%1&quot; не удалось прочитать: %2.</source>
        <translation>The journal of an interrupted acquisition &quot;%1&quot; could not be read: %2.</translation>
    </message>
    <message>
        <source>Прием информации был прерван. Восстановить запись (%1 точек)?</source>
        <translation>Acquisition was interrupted. Recover the run (samples: %1)?</translation>
    </message>
    <message>
        <source>Запись прерванного приема информации не восстановлена.</source>
        <translation>The interrupted run was not recovered.</translation>
    </message>
    <message>
        <source>Восстановлено точек: %1. Поврежденные записи журнала пропущены: %2.</source>
        <translation>Samples recovered: %1. Damaged journal records skipped: %2.</translation>
    </message>
    <message>
        <source>Не удалось записать файл &quot;%1&quot; (%2)!</source>
        <translation>The file &quot;%1&quot; could not be written (%2)!</translation>
    </message>
    <message>
        <source>
Восстановленная запись не сохранена в файл.</source>
        <translation>
The recovered run was not saved to a file.</translation>
    </message>
    <message>
        <source>
Восстановленная запись сохранена в файле &quot;%1&quot;.</source>
        <translation>
The recovered run was saved to the file &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Выбор интервала</source>
        <translation>Select interval</translation>
    </message>
    <message>
        <source>Начать прием информации</source>
        <translation>Start acquisition</translation>
    </message>
    <message>
        <source>Закончить прием информации</source>
        <translation>Stop acquisition</translation>
    </message>
    <message>
        <source>Сглаживание скользящим средним</source>
        <translation>Moving-average smoothing</translation>
    </message>
    <message>
        <source>Сглаживание по семи точкам</source>
        <translation>Seven-point smoothing</translation>
    </message>
    <message>
        <source>Сглаживание сплайном</source>
        <translation>Spline smoothing</translation>
    </message>
    <message>
        <source>Расчет</source>
        <translation>Calculation</translation>
    </message>
    <message>
        <source>Сведение</source>
        <translation>Curve reduction</translation>
    </message>
    <message>
        <source>Тестовый пример</source>
        <translation>Test run</translation>
    </message>
    <message>
        <source>Экспорт в Excel</source>
        <translation>Export to Excel</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Коррекция по эталону</source>
        <translation>Reference correction</translation>
    </message>
    <message>
        <source>Коррекция по эталону: запись эталонного образца в файл коррекции для базовой линии</source>
        <translation>Reference correction: write the reference sample into a correction file for the baseline</translation>
    </message>
    <message>
        <source>Физический КТР</source>
        <translation>Physical CTE</translation>
    </message>
    <message>
        <source>Физический КТР: удлинение, деформация, средний и физический коэффициенты расширения по температуре</source>
        <translation>Physical CTE: elongation, strain, mean and physical expansion coefficients over temperature</translation>
    </message>
    <message>
        <source>Стеклование и размягчение</source>
        <translation>Glass transition and softening</translation>
    </message>
    <message>
        <source>Температура стеклования Tg по касательным к прямым участкам кривой L(T) и температура размягчения Ts</source>
        <translation>Glass transition temperature Tg from the tangents to the straight parts of the L(T) curve, and softening temperature Ts</translation>
    </message>
    <message>
        <source>Выключение нагрева при размягчении</source>
        <translation>Heating off at softening</translation>
    </message>
    <message>
        <source>Выключать нагрев во время приема информации, когда образец размягчился</source>
        <translation>Switch the heating off during acquisition once the sample has softened</translation>
    </message>
    <message>
        <source>Архив запусков</source>
        <translation>Run archive</translation>
    </message>
    <message>
        <source>Архив запусков: поиск, открытие, сравнение, отчеты</source>
        <translation>Run archive: search, open, compare, reports</translation>
    </message>
    <message>
        <source>Описание образца</source>
        <translation>Sample description</translation>
    </message>
    <message>
        <source>Описание образца текущего запуска: образец, материал, партия, оператор</source>
        <translation>Sample description of the current run: sample, material, batch, operator</translation>
    </message>
    <message>
        <source>Отчет</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Отчет о текущем запуске в PDF</source>
        <translation>PDF report on the current run</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Правка</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>АЦП</source>
        <translation>ADC</translation>
    </message>
    <message>
        <source>Обработка</source>
        <translation>Processing</translation>
    </message>
    <message>
        <source>Сервис</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Анализ</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>Архив</source>
        <translation>Archive</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>User&apos;s manual</translation>
    </message>
</context>
<context>
    <name>PrivateDir</name>
    <message>
        <source>Каталог &quot;%1&quot; не используется (%2)!</source>
        <translation>The folder &quot;%1&quot; is not used (%2)!</translation>
    </message>
    <message>
        <source>Не задан каталог для файлов пользователя!</source>
        <translation>No folder is set for the user&apos;s files!</translation>
    </message>
    <message>
        <source>Не удалось создать каталог &quot;%1&quot; (%2)!</source>
        <translation>The folder &quot;%1&quot; could not be created (%2)!</translation>
    </message>
    <message>
        <source>его владелец — другой пользователь</source>
        <translation>it belongs to another user</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>Не удалось записать файл &quot;%1&quot; (%2)!</source>
        <translation>The file &quot;%1&quot; could not be written (%2)!</translation>
    </message>
    <message>
        <source>это каталог</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>это не обычный файл</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>Не удалось открыть файл &quot;%1&quot; (%2)!</source>
        <translation>The file &quot;%1&quot; could not be opened (%2)!</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл &quot;%1&quot; (%2)!</source>
        <translation>The file &quot;%1&quot; could not be read (%2)!</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>&apos;%1&apos; не является числом: ключ &quot;%2&quot; в файле %3!</source>
        <translation>&apos;%1&apos; is not a number: key &quot;%2&quot; in the file %3!</translation>
    </message>
    <message>
        <source>Настройки не записаны: файл &quot;%1&quot; больше 1 МБ!</source>
        <translation>Settings not written: the file &quot;%1&quot; is larger than 1 MB!</translation>
    </message>
</context>
<context>
    <name>SmoothCommands</name>
    <message>
        <source>Сглаживание скользящим средним</source>
        <translation>Moving-average smoothing</translation>
    </message>
    <message>
        <source>Сглаживание сплайном</source>
        <translation>Spline smoothing</translation>
    </message>
    <message>
        <source>Сглаживание сплайном невозможно: канал не изменён!</source>
        <translation>Spline smoothing is impossible: the channel is unchanged!</translation>
    </message>
    <message>
        <source>&quot;%1&quot; не является целым числом!</source>
        <translation>&quot;%1&quot; is not an integer!</translation>
    </message>
    <message>
        <source>%1 не может быть отрицательным!</source>
        <translation>%1 cannot be negative!</translation>
    </message>
</context>
<context>
    <name>SofteningSettings</name>
    <message>
        <source>&apos;%1&apos; не является числом от %2 до %3: ключ &quot;MarginPercent&quot; раздела [Softening] в файле %4!</source>
        <translation>&apos;%1&apos; is not a number from %2 to %3: key &quot;MarginPercent&quot; of the section [Softening] in the file %4!</translation>
    </message>
</context>
<context>
    <name>TAboutDlg</name>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Запись и обработка измерений
кварцевого дилатометра</source>
        <translation>Recording and processing the measurements
of a quartz dilatometer</translation>
    </message>
    <message>
        <source>Версия </source>
        <translation>Version </translation>
    </message>
</context>
<context>
    <name>TCaseChansDlg</name>
    <message>
        <source>Выбор канала</source>
        <translation>Select channel</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TDlgParam</name>
    <message>
        <source>Параметры</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>АЦП</source>
        <translation>ADC</translation>
    </message>
    <message>
        <source>Калибровка</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Управление</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Параметры соединения</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Использовать весы для  L</source>
        <translation>Use the weigher for L</translation>
    </message>
    <message>
        <source>Кривая T</source>
        <translation>T channel</translation>
    </message>
    <message>
        <source>Кривая L</source>
        <translation>L channel</translation>
    </message>
    <message>
        <source>Кривая TC</source>
        <translation>TC channel</translation>
    </message>
    <message>
        <source>Код ошибки</source>
        <translation>Error code</translation>
    </message>
    <message>
        <source>Параметры таймера</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Автосохранение каждые</source>
        <translation>Autosave every</translation>
    </message>
    <message>
        <source>Выбрать файл автосохранения</source>
        <translation>Choose the autosave file</translation>
    </message>
    <message>
        <source>точек в файл</source>
        <translation>samples to file</translation>
    </message>
    <message>
        <source>Частота, с</source>
        <translation>Period, s</translation>
    </message>
    <message>
        <source>Число точек</source>
        <translation>Number of samples</translation>
    </message>
    <message>
        <source>Температура по реперным точкам</source>
        <translation>Temperature by reference points</translation>
    </message>
    <message>
        <source>L по реперным точкам</source>
        <translation>L by reference points</translation>
    </message>
    <message>
        <source>Нагрев</source>
        <translation>Heating</translation>
    </message>
    <message>
        <source>Включить управление</source>
        <translation>Enable control</translation>
    </message>
    <message>
        <source>Начале приема информации с АЦП</source>
        <translation>Start of ADC acquisition</translation>
    </message>
    <message>
        <source>Окончании приема информации с АЦП</source>
        <translation>End of ADC acquisition</translation>
    </message>
    <message>
        <source>При превышении T</source>
        <translation>T rising above the value</translation>
    </message>
    <message>
        <source>При превышении L</source>
        <translation>L rising above the value</translation>
    </message>
    <message>
        <source>При принижении T</source>
        <translation>T falling below the value</translation>
    </message>
    <message>
        <source>При принижении L</source>
        <translation>L falling below the value</translation>
    </message>
    <message>
        <source>Включить при</source>
        <translation>Switch on at</translation>
    </message>
    <message>
        <source>Выключить при</source>
        <translation>Switch off at</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>&quot;Значение&quot;</source>
        <translation>&quot;Value&quot;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; не является числом (поле %2)!</source>
        <translation>&apos;%1&apos; is not a number (field %2)!</translation>
    </message>
    <message>
        <source>Таблица реперных точек %1 не принята: %2!
Исправьте таблицу (кнопка &quot;Edit&quot;) или снимите флажок &quot;%3&quot;.</source>
        <translation>The reference-point table of %1 is not accepted: %2!
Correct the table (button &quot;Edit&quot;) or clear the check box &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>DAQ Setup</source>
        <translation>DAQ Setup</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
</context>
<context>
    <name>TDlgSoftening</name>
    <message>
        <source>Выключение нагрева при размягчении</source>
        <translation>Heating off at softening</translation>
    </message>
    <message>
        <source>Выключать нагрев при размягчении образца</source>
        <translation>Switch the heating off when the sample softens</translation>
    </message>
    <message>
        <source>Во время приема информации нагрев выключается один раз, когда сглаженная кривая L(T) прошла максимум: при растущей температуре удлинение опустилось ниже максимума больше чем на запас (в процентах удлинения до максимума) и больше шума. Управление нагревом в &quot;Параметрах&quot; действует, как прежде.</source>
        <translation>During acquisition the heating is switched off once, when the smoothed L(T) curve has passed its maximum: with the temperature rising, the elongation has fallen below the maximum by more than the margin (in percent of the elongation up to the maximum) and by more than the noise. Heating control in &quot;Settings&quot; works as before.</translation>
    </message>
    <message>
        <source>Запас, % удлинения</source>
        <translation>Margin, % of elongation</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TDlgSplineKalibr</name>
    <message>
        <source>Выбрать файл</source>
        <translation>Choose file</translation>
    </message>
    <message>
        <source>Число точек</source>
        <translation>Number of points</translation>
    </message>
    <message>
        <source>Хранить в файле</source>
        <translation>Keep in file</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TDlgSplineKalibrL</name>
    <message>
        <source>L по реперным точкам</source>
        <translation>L by reference points</translation>
    </message>
</context>
<context>
    <name>TDlgSplineKalibrT</name>
    <message>
        <source>Температура по реперным точкам</source>
        <translation>Temperature by reference points</translation>
    </message>
</context>
<context>
    <name>THelpWindow</name>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Назад</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Вперед</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Contents</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Файл &quot;%1&quot; не сохранен: имя должно оканчиваться на .dat (данные) или .txt (текст)!</source>
        <translation>The file &quot;%1&quot; was not saved: the name must end in .dat (data) or .txt (text)!</translation>
    </message>
    <message>
        <source>Книга сохранена в файле &quot;%1&quot;</source>
        <translation>The workbook is saved in the file &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Прием информации с АЦП не закончен.
Вы действительно хотите выйти?</source>
        <translation>ADC acquisition is not finished.
Do you really want to exit?</translation>
    </message>
    <message>
        <source>Руководство пользователя не найдено: нет папки share/varotem/manual/%1 рядом с папкой программы &quot;%2&quot;.</source>
        <translation>The user&apos;s manual was not found: there is no folder share/varotem/manual/%1 beside the program&apos;s folder &quot;%2&quot;.</translation>
    </message>
</context>
<context>
    <name>TMstWindow</name>
    <message>
        <source>Масштаб</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Min = </source>
        <translation>Min = </translation>
    </message>
    <message>
        <source>Max = </source>
        <translation>Max = </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TSimpleChart</name>
    <message>
        <source>Невозможно отобразить данные</source>
        <translation>Cannot display the data</translation>
    </message>
    <message>
        <source>Invalid Operation!</source>
        <translation>Invalid operation!</translation>
    </message>
    <message>
        <source>Invalid Value!</source>
        <translation>Invalid value!</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>Copy To ClipBoard</source>
        <translation>Copy to Clipboard</translation>
    </message>
    <message>
        <source>By Line (N &gt; 2)</source>
        <translation>By Line (N &gt; 2)</translation>
    </message>
    <message>
        <source>By MultiLine</source>
        <translation>By Multiline</translation>
    </message>
    <message>
        <source>By Strain Spline (N &gt; 3)</source>
        <translation>By Tension Spline (N &gt; 3)</translation>
    </message>
    <message>
        <source>By Smooth Spline (N &gt; 3)</source>
        <translation>By Smoothing Spline (N &gt; 3)</translation>
    </message>
    <message>
        <source>By Spline 2P (N &gt; 3)</source>
        <translation>By Spline 2P (N &gt; 3)</translation>
    </message>
    <message>
        <source>By Spline 3P (N &gt; 3)</source>
        <translation>By Spline 3P (N &gt; 3)</translation>
    </message>
    <message>
        <source>By Lagrange (N &lt;= 100)</source>
        <translation>By Lagrange (N &lt;= 100)</translation>
    </message>
    <message>
        <source>By Histogram (N &gt; 2)</source>
        <translation>By Histogram (N &gt; 2)</translation>
    </message>
    <message>
        <source>Smooth Value</source>
        <translation>Smoothing Value</translation>
    </message>
    <message>
        <source>Firt Diff.</source>
        <translation>First Derivative</translation>
    </message>
    <message>
        <source>Two Diff.</source>
        <translation>Second Derivative</translation>
    </message>
    <message>
        <source>Smt. Window</source>
        <translation>Coordinates Window</translation>
    </message>
    <message>
        <source>Auto Mst.</source>
        <translation>Auto Scale</translation>
    </message>
    <message>
        <source>Grid Lines</source>
        <translation>Grid Lines</translation>
    </message>
    <message>
        <source>Time Lines</source>
        <translation>Time Lines</translation>
    </message>
    <message>
        <source>Save Graphic</source>
        <translation>Save Graphic</translation>
    </message>
    <message>
        <source>Mst.</source>
        <translation>Scale</translation>
    </message>
</context>
<context>
    <name>TXYWindow</name>
    <message>
        <source>Координаты</source>
        <translation>Coordinates</translation>
    </message>
</context>
<context>
    <name>daqlink</name>
    <message>
        <source>медь</source>
        <translation>copper</translation>
    </message>
    <message>
        <source>постоянный коэффициент %1 1/K</source>
        <translation>constant coefficient %1 1/K</translation>
    </message>
    <message>
        <source>стекло (%1 1/K ниже Tg = %2 °C, %3 1/K выше, ширина перехода %4 K; размягчение от %5 °C, %6 мкм/мин на K)</source>
        <translation>glass (%1 1/K below Tg = %2 °C, %3 1/K above, transition width %4 K; softening from %5 °C, %6 µm/min per K)</translation>
    </message>
    <message>
        <source>Имитатор дилатометра: образец — %1, %2 мкм, толкатель из кварцевого стекла (%3); печь от %4 °C, нагрев %5 K/мин до %6 °C; шаг %7 с на опрос; шум %8 K и %9 мкм;</source>
        <translation>Simulated dilatometer: sample of %1, %2 µm, fused-silica push rod (%3); furnace from %4 °C, heating at %5 K/min up to %6 °C; step %7 s per reading; noise %8 K and %9 µm;</translation>
    </message>
    <message>
        <source>доля сбоев %1; зерно %2. Каналы: 0 — T образца, %3 °C на отсчет; 1 — удлинение, %4 мкм на отсчет; 2 — термопара печи, %3 °C на отсчет.</source>
        <translation>failure rate %1; seed %2. Channels: 0 – sample T, %3 °C per count; 1 – elongation, %4 µm per count; 2 – furnace thermocouple, %3 °C per count.</translation>
    </message>
    <message>
        <source>Плата Comedi не открылась (%1); имитатор отключен в daqlink.ini.</source>
        <translation>The Comedi board did not open (%1); the simulator is disabled in daqlink.ini.</translation>
    </message>
    <message>
        <source>Следующий прием: %1</source>
        <translation>Next acquisition: %1</translation>
    </message>
    <message>
        <source>Плата Comedi не открывается (%1); имитатор отключен в daqlink.ini.</source>
        <translation>The Comedi board does not open (%1); the simulator is disabled in daqlink.ini.</translation>
    </message>
    <message>
        <source>%1 Плата Comedi не используется: %2.</source>
        <translation>%1 The Comedi board is not used: %2.</translation>
    </message>
    <message>
        <source>неизвестная ошибка</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>нет цифрового выхода</source>
        <translation>no digital output</translation>
    </message>
    <message>
        <source>линия %1 подустройства %2</source>
        <translation>line %1 of subdevice %2</translation>
    </message>
    <message>
        <source>Плата Comedi %1: %2, %3; аналоговый вход: подустройство %4, каналов %5, диапазон 0, относительно земли; нагреватель: %6.</source>
        <translation>Comedi board %1: %2, %3; analog input: subdevice %4, %5 channels, range 0, ground reference; heater: %6.</translation>
    </message>
    <message>
        <source>%1: нет аналогового входа</source>
        <translation>%1: no analog input</translation>
    </message>
    <message>
        <source>библиотека собрана без поддержки Comedi</source>
        <translation>the library was built without Comedi support</translation>
    </message>
</context>
</TS>
