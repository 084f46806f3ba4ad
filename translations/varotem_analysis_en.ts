<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>AnalysisMessages</name>
    <message>
        <source>Неверный параметр!</source>
        <translation>Invalid parameter!</translation>
    </message>
    <message>
        <source>Базовая линия игнорирована!</source>
        <translation>Baseline ignored!</translation>
    </message>
    <message>
        <source>Базовая линия успешно загружена!</source>
        <translation>Baseline loaded successfully!</translation>
    </message>
    <message>
        <source>Базовая линия не загружена! Расчет остановлен!</source>
        <translation>Baseline not loaded! Calculation stopped!</translation>
    </message>
    <message>
        <source>Невозможно закончить расчет!</source>
        <translation>Cannot complete the calculation!</translation>
    </message>
</context>
<context>
    <name>TArchiveWindow</name>
    <message>
        <source>Архив</source>
        <translation>Archive</translation>
    </message>
    <message>
        <source>образец, материал, партия, оператор, примечание</source>
        <translation>sample, material, batch, operator, note</translation>
    </message>
    <message>
        <source>Дата с</source>
        <translation>Date from</translation>
    </message>
    <message>
        <source>по</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Поиск</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>T от</source>
        <translation>T from</translation>
    </message>
    <message>
        <source>до</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Описание образца</source>
        <translation>Sample description</translation>
    </message>
    <message>
        <source>Сравнить</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>Отчет</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Архив недоступен.</source>
        <translation>The archive is not available.</translation>
    </message>
    <message>
        <source>Запусков: %1</source>
        <translation>Runs: %1</translation>
    </message>
    <message>
        <source>%1 (не число: %2)</source>
        <translation>%1 (not a number: %2)</translation>
    </message>
    <message>
        <source>Выберите один запуск!</source>
        <translation>Select one run!</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не найден!</source>
        <translation>File &quot;%1&quot; not found!</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; изменен после записи в архив.
Открыть его таким, какой он сейчас?</source>
        <translation>File &quot;%1&quot; has changed since it was archived.
Open it as it is now?</translation>
    </message>
    <message>
        <source>Выберите запуски для сравнения!</source>
        <translation>Select the runs to compare!</translation>
    </message>
    <message>
        <source>Удалить из архива запуски № %1?
Файлы записей останутся на диске.</source>
        <translation>Delete from the archive: No. %1?
The run files stay on disk.</translation>
    </message>
    <message>
        <source>Удалить и файл &quot;%1&quot;?</source>
        <translation>Delete the file &quot;%1&quot; as well?</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не удален!</source>
        <translation>File &quot;%1&quot; was not deleted!</translation>
    </message>
</context>
<context>
    <name>TCaseDlg</name>
    <message>
        <source>Выбор интервала</source>
        <translation>Select interval</translation>
    </message>
</context>
<context>
    <name>TCompareWindow</name>
    <message>
        <source>Сравнение запусков</source>
        <translation>Run comparison</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Не показаны: %1</source>
        <translation>Not shown: %1</translation>
    </message>
</context>
<context>
    <name>TDlgAlphaQuartz</name>
    <message>
        <source>Alpha кварца</source>
        <translation>Quartz alpha</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Число точек</source>
        <translation>Number of points</translation>
    </message>
</context>
<context>
    <name>TDlgCalcParam</name>
    <message>
        <source>Параметры расчета</source>
        <translation>Calculation settings</translation>
    </message>
    <message>
        <source>Таблица</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>dL от нуля</source>
        <translation>dL from zero</translation>
    </message>
    <message>
        <source>dLQ от нуля</source>
        <translation>dLQ from zero</translation>
    </message>
    <message>
        <source>Базовая линия</source>
        <translation>Baseline</translation>
    </message>
    <message>
        <source>Точек</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>Длина образца</source>
        <translation>Sample length</translation>
    </message>
    <message>
        <source>Alpha кварца</source>
        <translation>Quartz alpha</translation>
    </message>
    <message>
        <source>L кварца</source>
        <translation>Quartz L</translation>
    </message>
</context>
<context>
    <name>TDlgCalcResult</name>
    <message>
        <source>Результаты расчета</source>
        <translation>Calculation results</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Таблица</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>В Excel</source>
        <translation>To Excel</translation>
    </message>
    <message>
        <source>Отчет</source>
        <translation>Report</translation>
    </message>
</context>
<context>
    <name>TDlgCorrection</name>
    <message>
        <source>Коррекция по эталону</source>
        <translation>Reference correction</translation>
    </message>
    <message>
        <source>Эталонный материал</source>
        <translation>Reference material</translation>
    </message>
    <message>
        <source>Длина эталонного образца</source>
        <translation>Reference sample length</translation>
    </message>
    <message>
        <source>Файл коррекции</source>
        <translation>Correction file</translation>
    </message>
    <message>
        <source>Диапазон: от %1 до %2 °C</source>
        <translation>Range: %1 to %2 °C</translation>
    </message>
</context>
<context>
    <name>TDlgGlass</name>
    <message>
        <source>Стеклование и размягчение</source>
        <translation>Glass transition and softening</translation>
    </message>
    <message>
        <source>Пересчитать</source>
        <translation>Recalculate</translation>
    </message>
    <message>
        <source>Базовая линия</source>
        <translation>Baseline</translation>
    </message>
    <message>
        <source>Величина</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Авто</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Выбрать участки автоматически</source>
        <translation>Choose the ranges automatically</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Сохранить рисунок</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>В Excel</source>
        <translation>To Excel</translation>
    </message>
    <message>
        <source>Сохранить CSV</source>
        <translation>Save CSV</translation>
    </message>
</context>
<context>
    <name>TDlgPhysParam</name>
    <message>
        <source>Физический КТР</source>
        <translation>Physical CTE</translation>
    </message>
    <message>
        <source>Таблица</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Сглаживание по GCV</source>
        <translation>Smoothing by GCV</translation>
    </message>
    <message>
        <source>Сглаживание выбирается обобщенной перекрестной проверкой (GCV)</source>
        <translation>The smoothing is chosen by generalized cross-validation (GCV)</translation>
    </message>
    <message>
        <source>Сглаживающий сплайн усредняет примерно по R точкам в каждую сторону</source>
        <translation>The smoothing spline averages over about R points on each side</translation>
    </message>
    <message>
        <source>Базовая линия</source>
        <translation>Baseline</translation>
    </message>
    <message>
        <source>Длина образца</source>
        <translation>Sample length</translation>
    </message>
    <message>
        <source>Alpha кварца</source>
        <translation>Quartz alpha</translation>
    </message>
    <message>
        <source>L кварца</source>
        <translation>Quartz L</translation>
    </message>
    <message>
        <source>Шаг, K</source>
        <translation>Step, K</translation>
    </message>
    <message>
        <source>T отсчета, deg C</source>
        <translation>Reference T, deg C</translation>
    </message>
    <message>
        <source>R, точек</source>
        <translation>R, points</translation>
    </message>
</context>
<context>
    <name>TDlgPhysResult</name>
    <message>
        <source>Результаты: физический КТР</source>
        <translation>Results: physical CTE</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Канал:</source>
        <translation>Channel:</translation>
    </message>
    <message>
        <source>Сглаживание</source>
        <translation>Smoothing</translation>
    </message>
    <message>
        <source>Таблица</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>В Excel</source>
        <translation>To Excel</translation>
    </message>
    <message>
        <source>Сохранить таблицу в файле CSV</source>
        <translation>Save the table to a CSV file</translation>
    </message>
    <message>
        <source>Alpha физ.</source>
        <translation>Alpha phys.</translation>
    </message>
    <message>
        <source>точка</source>
        <translation>point</translation>
    </message>
    <message>
        <source>данные</source>
        <translation>data</translation>
    </message>
    <message>
        <source>сглаженная кривая</source>
        <translation>smoothed curve</translation>
    </message>
    <message>
        <source>данные - сглаженная кривая</source>
        <translation>data - smoothed curve</translation>
    </message>
</context>
<context>
    <name>TDlgSampleDescription</name>
    <message>
        <source>Описание образца</source>
        <translation>Sample description</translation>
    </message>
    <message>
        <source>Образец</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Материал</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>Партия</source>
        <translation>Batch</translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Примечание</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>TDlgScale</name>
    <message>
        <source>Параметры сведения</source>
        <translation>Curve reduction settings</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Авто масштаб</source>
        <translation>Auto scale</translation>
    </message>
    <message>
        <source>L от нуля</source>
        <translation>L from zero</translation>
    </message>
    <message>
        <source>Дополнительные параметры</source>
        <translation>More settings</translation>
    </message>
    <message>
        <source>Метафайл</source>
        <translation>Metafile</translation>
    </message>
    <message>
        <source>Базовая линия</source>
        <translation>Baseline</translation>
    </message>
</context>
<context>
    <name>TDlgSved</name>
    <message>
        <source>Сведение</source>
        <translation>Curve reduction</translation>
    </message>
</context>
<context>
    <name>analysis::Correction</name>
    <message>
        <source>Коррекция не создана!</source>
        <translation>No correction was made!</translation>
    </message>
    <message>
        <source>от %1 до %2 °C (%3–%4 K)</source>
        <translation>%1 to %2 °C (%3–%4 K)</translation>
    </message>
    <message>
        <source>Длина эталонного образца должна быть положительным числом!</source>
        <translation>The reference sample length must be a positive number!</translation>
    </message>
    <message>
        <source>В записи %1 точек, для коррекции нужно не меньше 3!</source>
        <translation>Points in the record: %1; a correction needs at least 3!</translation>
    </message>
    <message>
        <source>Калибровка %1 по реперным точкам невозможна: %2!</source>
        <translation>Calibration of %1 by reference points is not possible: %2!</translation>
    </message>
    <message>
        <source>Температура %1 °C (точка %2) вне аттестованного диапазона материала «%3»: %4!</source>
        <translation>Temperature %1 °C (point %2) is outside the certified range of the material “%3”: %4!</translation>
    </message>
    <message>
        <source>Коррекция в точке %1 не является числом!</source>
        <translation>The correction at point %1 is not a number!</translation>
    </message>
    <message>
        <source>Калибровка L не монотонна в диапазоне записи: отсчеты коррекции не найти!</source>
        <translation>The L calibration is not monotonic over the range of the record: the correction readings cannot be found!</translation>
    </message>
    <message>
        <source>Длина образца %1 отличается от длины образца базовой линии %2 более чем на 10 %!</source>
        <translation>Sample length %1 differs from the baseline sample length %2 by more than 10 %!</translation>
    </message>
    <message>
        <source>Alpha кварца %1 отличается от записанного в базовой линии %2: коррекция по эталону верна только при том же значении!</source>
        <translation>Quartz alpha %1 differs from the baseline&apos;s %2: a reference correction is right only with the same value!</translation>
    </message>
    <message>
        <source>L кварца %1 отличается от записанной в базовой линии %2: коррекция по эталону верна только при том же значении!</source>
        <translation>Quartz L %1 differs from the baseline&apos;s %2: a reference correction is right only with the same value!</translation>
    </message>
</context>
<context>
    <name>analysis::CorrectionCommand</name>
    <message>
        <source>Не задан файл коррекции!</source>
        <translation>No correction file given!</translation>
    </message>
    <message>
        <source>Файл коррекции записан: %1. В &quot;Расчет&quot; и &quot;Сведение&quot; он служит базовой линией.</source>
        <translation>Correction file written: %1. In &quot;Calculation&quot; and &quot;Curve reduction&quot; it serves as the baseline.</translation>
    </message>
    <message>
        <source>Коррекция по эталону</source>
        <translation>Reference correction</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; уже существует.
Заменить его?</source>
        <translation>The file &quot;%1&quot; already exists.
Replace it?</translation>
    </message>
</context>
<context>
    <name>analysis::ExpansionCalc</name>
    <message>
        <source>Длина образца равна нулю! Расчет остановлен!</source>
        <translation>The sample length is zero! Calculation stopped!</translation>
    </message>
    <message>
        <source>В записи %1 точек, для расчета по %2 интервалам нужно не меньше %3! Расчет остановлен!</source>
        <translation>Points in the record: %1; a calculation over %2 intervals needs at least %3! Calculation stopped!</translation>
    </message>
    <message>
        <source>Нулевая разность температур в интервале %1! Расчет остановлен!</source>
        <translation>Zero temperature difference in interval %1! Calculation stopped!</translation>
    </message>
    <message>
        <source>Результат интервала %1 не является числом! Расчет остановлен!</source>
        <translation>The result of interval %1 is not a number! Calculation stopped!</translation>
    </message>
</context>
<context>
    <name>analysis::GlassLayout</name>
    <message>
        <source>α стекла = %1 ·1e-6 1/K</source>
        <translation>α glass = %1 ·1e-6 1/K</translation>
    </message>
    <message>
        <source>α жидкости = %1 ·1e-6 1/K</source>
        <translation>α liquid = %1 ·1e-6 1/K</translation>
    </message>
    <message>
        <source>Ts не достигнута</source>
        <translation>Ts not reached</translation>
    </message>
</context>
<context>
    <name>analysis::GlassPicture</name>
    <message>
        <source>Стеклование и размягчение</source>
        <translation>Glass transition and softening</translation>
    </message>
</context>
<context>
    <name>analysis::GlassReport</name>
    <message>
        <source>не достигнута</source>
        <translation>not reached</translation>
    </message>
    <message>
        <source>Alpha стекла, 1e-6 1/K</source>
        <translation>Alpha glass, 1e-6 1/K</translation>
    </message>
    <message>
        <source>Alpha жидкости, 1e-6 1/K</source>
        <translation>Alpha liquid, 1e-6 1/K</translation>
    </message>
</context>
<context>
    <name>analysis::GlassTransition</name>
    <message>
        <source>стеклообразного состояния (T1-T2)</source>
        <translation>glassy state (T1-T2)</translation>
    </message>
    <message>
        <source>жидкого состояния (T3-T4)</source>
        <translation>liquid state (T3-T4)</translation>
    </message>
    <message>
        <source>В записи %1 точек, для анализа нужно не меньше %2!</source>
        <translation>Points in the record: %1; the analysis needs at least %2!</translation>
    </message>
    <message>
        <source>Значение точки %1 не является числом! Анализ невозможен.</source>
        <translation>The value of point %1 is not a number! Analysis is not possible.</translation>
    </message>
    <message>
        <source>Нагрев в записи слишком короткий: до наибольшей температуры %1 точек, нужно не меньше %2!</source>
        <translation>The heating in the record is too short: points up to the highest temperature: %1, at least %2 needed!</translation>
    </message>
    <message>
        <source>Участки не выбраны автоматически: до %1 °C слишком мало точек для двух прямых участков! Задайте участки маркерами.</source>
        <translation>The ranges were not chosen automatically: too few points below %1 °C for two straight ranges! Set the ranges with the markers.</translation>
    </message>
    <message>
        <source>Длина образца равна нулю! Коэффициенты не вычисляются.</source>
        <translation>The sample length is zero! The coefficients are not calculated.</translation>
    </message>
    <message>
        <source>Участки перекрываются: участок стеклообразного состояния (T1-T2) должен лежать ниже участка жидкого состояния (T3-T4)!</source>
        <translation>The ranges overlap: the glassy state range (T1-T2) must lie below the liquid state range (T3-T4)!</translation>
    </message>
    <message>
        <source>Слишком мало точек на участке %1: %2 при разных температурах, нужно не меньше %3!</source>
        <translation>Too few points in the %1 range: %2 at distinct temperatures, at least %3 needed!</translation>
    </message>
    <message>
        <source>Касательные параллельны: наклоны участков не различаются больше погрешности!</source>
        <translation>The tangents are parallel: the slopes of the ranges differ by no more than their uncertainty!</translation>
    </message>
    <message>
        <source>Касательные пересекаются вне записи (T = %1 °C, запись от %2 до %3 °C)!</source>
        <translation>The tangents intersect outside the record (T = %1 °C, the record spans %2 to %3 °C)!</translation>
    </message>
    <message>
        <source>Переход не найден: до %1 °C на кривой нет излома между двумя прямыми участками! Задайте участки маркерами.</source>
        <translation>No transition found: up to %1 °C the curve has no bend between two straight ranges! Set the ranges with the markers.</translation>
    </message>
    <message>
        <source>Участки не выбраны автоматически: участок от %1 до %2 °C уже %3 K! Задайте участки маркерами.</source>
        <translation>The ranges were not chosen automatically: the range from %1 to %2 °C is narrower than %3 K! Set the ranges with the markers.</translation>
    </message>
</context>
<context>
    <name>analysis::MaterialDirectory</name>
    <message>
        <source>Библиотека эталонных материалов пуста (каталог %1)!</source>
        <translation>The reference material library is empty (directory %1)!</translation>
    </message>
</context>
<context>
    <name>analysis::PhysicalCoefficient</name>
    <message>
        <source>Расчет остановлен!</source>
        <translation>Calculation stopped!</translation>
    </message>
    <message>
        <source>Длина образца равна нулю! Расчет остановлен!</source>
        <translation>The sample length is zero! Calculation stopped!</translation>
    </message>
    <message>
        <source>Шаг по температуре должен быть больше нуля!</source>
        <translation>The temperature step must be greater than zero!</translation>
    </message>
    <message>
        <source>Сглаживание R должно быть от 0 до %1 точек!</source>
        <translation>Smoothing R must be from 0 to %1 points!</translation>
    </message>
    <message>
        <source>В записи %1 точек, для расчета нужно не меньше 3!</source>
        <translation>Points in the record: %1; the calculation needs at least 3!</translation>
    </message>
    <message>
        <source>Значение точки %1 не является числом!</source>
        <translation>The value of point %1 is not a number!</translation>
    </message>
    <message>
        <source>Сглаживание невозможно!</source>
        <translation>Smoothing is not possible!</translation>
    </message>
    <message>
        <source>Температура отсчета %1 deg C не достигнута: температура записи от %2 до %3 deg C!</source>
        <translation>Reference temperature %1 deg C not reached: the record spans %2 to %3 deg C!</translation>
    </message>
    <message>
        <source>Шаг %1 K слишком мал: строк получилось бы больше %2!</source>
        <translation>Step %1 K is too small: there would be more than %2 rows!</translation>
    </message>
    <message>
        <source>Результат при %1 deg C не является числом!</source>
        <translation>The result at %1 deg C is not a number!</translation>
    </message>
    <message>
        <source>dL от %1 deg C</source>
        <translation>dL from %1 deg C</translation>
    </message>
    <message>
        <source>dL/L0 от %1 deg C, 1E-6</source>
        <translation>dL/L0 from %1 deg C, 1E-6</translation>
    </message>
    <message>
        <source>Alpha ср. от %1 deg C</source>
        <translation>Alpha mean from %1 deg C</translation>
    </message>
    <message>
        <source>Alpha физ.</source>
        <translation>Alpha phys.</translation>
    </message>
    <message>
        <source>Сглаживание: R = %1 точек, выбрано по GCV для L - %2 T. Эффективное число параметров %3. СКО остатков: T %4, L %5.</source>
        <translation>Smoothing: R = %1 points, chosen by GCV for L - %2 T. Effective number of parameters %3. RMS of residuals: T %4, L %5.</translation>
    </message>
    <message>
        <source>Сглаживание: R = %1 точек, задано. Эффективное число параметров %2. СКО остатков: T %3, L %4.</source>
        <translation>Smoothing: R = %1 points, as set. Effective number of parameters %2. RMS of residuals: T %3, L %4.</translation>
    </message>
    <message>
        <source>Сглаживание: R = %1 точек, по GCV для L - %2 T было %3 - поднято до наименьшего. Эффективное число параметров %4. СКО остатков: T %5, L %6.</source>
        <translation>Smoothing: R = %1 points; GCV for L - %2 T gave %3, raised to the smallest allowed. Effective number of parameters %4. RMS of residuals: T %5, L %6.</translation>
    </message>
</context>
<context>
    <name>analysis::ReferenceMaterial</name>
    <message>
        <source>Медь (Hahn, 1970)</source>
        <translation>Copper (Hahn, 1970)</translation>
    </message>
    <message>
        <source>Платина (Arblaster, 2006)</source>
        <translation>Platinum (Arblaster, 2006)</translation>
    </message>
    <message>
        <source>Кварцевое стекло (среднее значение)</source>
        <translation>Fused silica (mean value)</translation>
    </message>
    <message>
        <source>Боросиликатное стекло NIST SRM 731</source>
        <translation>Borosilicate glass NIST SRM 731</translation>
    </message>
</context>
<context>
    <name>analysis::SpreadsheetExport</name>
    <message>
        <source>Экспорт невозможен: значение точки %1 не является числом!</source>
        <translation>Export is not possible: the value of point %1 is not a number!</translation>
    </message>
</context>
<context>
    <name>analysis::SvedLayout</name>
    <message>
        <source>Границы диапазона по оси %1 не являются числами (в данных нет точек или есть значения, не являющиеся числами)! Сведение не построено!</source>
        <translation>The range limits of axis %1 are not numbers (the data has no points or has values that are not numbers)! The curve reduction was not drawn!</translation>
    </message>
    <message>
        <source>Диапазон по оси %1 пуст (%2 .. %3)! Сведение не построено!</source>
        <translation>The range of axis %1 is empty (%2 .. %3)! The curve reduction was not drawn!</translation>
    </message>
    <message>
        <source>Диапазон по оси %1 слишком велик (%2 .. %3)! Сведение не построено!</source>
        <translation>The range of axis %1 is too large (%2 .. %3)! The curve reduction was not drawn!</translation>
    </message>
</context>
<context>
    <name>analysis::SvedPicture</name>
    <message>
        <source>Сведение</source>
        <translation>Curve reduction</translation>
    </message>
</context>
<context>
    <name>analysis::XlsxSpreadsheet</name>
    <message>
        <source>Ячейка (%1, %2) не записана (%3)!</source>
        <translation>Cell (%1, %2) was not written (%3)!</translation>
    </message>
    <message>
        <source>Не удалось создать файл в каталоге &quot;%1&quot; (%2)!</source>
        <translation>Could not create a file in the directory &quot;%1&quot; (%2)!</translation>
    </message>
    <message>
        <source>Не удалось создать книгу &quot;%1&quot;!</source>
        <translation>Could not create the workbook &quot;%1&quot;!</translation>
    </message>
    <message>
        <source>Не удалось записать файл &quot;%1&quot; (%2)!</source>
        <translation>Could not write the file &quot;%1&quot; (%2)!</translation>
    </message>
    <message>
        <source>Книга не создана!</source>
        <translation>No workbook was created!</translation>
    </message>
    <message>
        <source>Не удалось открыть программу электронных таблиц. Книга сохранена в файле &quot;%1&quot;.</source>
        <translation>Could not open a spreadsheet program. The workbook is saved in the file &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>archive::Archive</name>
    <message>
        <source>Архив: %1 (%2)!</source>
        <translation>Archive: %1 (%2)!</translation>
    </message>
    <message>
        <source>не удалось записать запуск &quot;%1&quot;</source>
        <translation>could not write the run &quot;%1&quot;</translation>
    </message>
    <message>
        <source>не удалось записать описание образца</source>
        <translation>could not write the sample description</translation>
    </message>
    <message>
        <source>не удалось удалить запись %1</source>
        <translation>could not delete record %1</translation>
    </message>
    <message>
        <source>не удалось записать результат &quot;%1&quot;</source>
        <translation>could not write the result &quot;%1&quot;</translation>
    </message>
    <message>
        <source>не удалось прочитать архив</source>
        <translation>could not read the archive</translation>
    </message>
</context>
<context>
    <name>archive::ArchiveModel</name>
    <message>
        <source>№</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Образец</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Материал</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>Партия</source>
        <translation>Batch</translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Точек</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>T мин</source>
        <translation>T min</translation>
    </message>
    <message>
        <source>T макс</source>
        <translation>T max</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Примечание</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>начало записи</source>
        <translation>start of recording</translation>
    </message>
    <message>
        <source>изменение файла</source>
        <translation>file modified</translation>
    </message>
</context>
<context>
    <name>archive::ArchiveOpen</name>
    <message>
        <source>это не файл архива Varotem</source>
        <translation>this is not a Varotem archive file</translation>
    </message>
    <message>
        <source>версия архива %1 новее той, что знает программа (%2)</source>
        <translation>archive version %1 is newer than the program knows (%2)</translation>
    </message>
    <message>
        <source>режим WAL недоступен</source>
        <translation>WAL mode is not available</translation>
    </message>
    <message>
        <source>Архив &quot;%1&quot; не используется: %2.</source>
        <translation>Archive &quot;%1&quot; is not used: %2.</translation>
    </message>
    <message>
        <source>Архив &quot;%1&quot; поврежден (%2) и не может быть переименован; он не используется.</source>
        <translation>Archive &quot;%1&quot; is damaged (%2) and cannot be renamed; it is not used.</translation>
    </message>
    <message>
        <source>Архив &quot;%1&quot; поврежден и сохранен как &quot;%2&quot;; новый архив создать не удалось (%3).</source>
        <translation>Archive &quot;%1&quot; is damaged and was saved as &quot;%2&quot;; a new archive could not be created (%3).</translation>
    </message>
    <message>
        <source>Архив &quot;%1&quot; поврежден (%2) и сохранен как &quot;%3&quot;.
Архив построен заново: записей из старого архива - %4, найдено файлов записей - %5.</source>
        <translation>Archive &quot;%1&quot; is damaged (%2) and was saved as &quot;%3&quot;.
The archive was rebuilt: records from the old archive - %4, run files found - %5.</translation>
    </message>
    <message>
        <source>Архив: не все записи удалось восстановить (%1).</source>
        <translation>Archive: not all records could be recovered (%1).</translation>
    </message>
</context>
<context>
    <name>archive::ArchiveTypes</name>
    <message>
        <source>сохранена</source>
        <translation>saved</translation>
    </message>
    <message>
        <source>автосохранение</source>
        <translation>autosave</translation>
    </message>
    <message>
        <source>открыта</source>
        <translation>opened</translation>
    </message>
    <message>
        <source>добавлена</source>
        <translation>added</translation>
    </message>
    <message>
        <source>найдена</source>
        <translation>found</translation>
    </message>
</context>
<context>
    <name>archive::CompareSeries</name>
    <message>
        <source>L от T</source>
        <translation>L vs T</translation>
    </message>
    <message>
        <source>Относительное удлинение от T</source>
        <translation>Relative elongation vs T</translation>
    </message>
    <message>
        <source>Коэффициент расширения от T</source>
        <translation>Expansion coefficient vs T</translation>
    </message>
    <message>
        <source>№ %1: %2</source>
        <translation>No. %1: %2</translation>
    </message>
    <message>
        <source>в записи нет точек</source>
        <translation>the record has no points</translation>
    </message>
    <message>
        <source>длина образца равна нулю</source>
        <translation>the sample length is zero</translation>
    </message>
    <message>
        <source>%1: файл %2</source>
        <translation>%1: file %2</translation>
    </message>
</context>
<context>
    <name>archive::ReportCommand</name>
    <message>
        <source>Отчет</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Отчет сохранен в файле &quot;%1&quot;.</source>
        <translation>The report is saved in the file &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>archive::ReportContent</name>
    <message>
        <source>по реперным точкам (%1)</source>
        <translation>by reference points (%1)</translation>
    </message>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
    <message numerus="yes">
        <source>%n строк</source>
        <translation>
            <numerusform>%n row</numerusform>
            <numerusform>%n rows</numerusform>
        </translation>
    </message>
    <message>
        <source>Расчет</source>
        <translation>Calculation</translation>
    </message>
    <message>
        <source>%1. Параметры: %2</source>
        <translation>%1. Parameters: %2</translation>
    </message>
    <message>
        <source>Отчет о запуске № %1</source>
        <translation>Report on run No. %1</translation>
    </message>
    <message>
        <source>Отчет о запуске</source>
        <translation>Run report</translation>
    </message>
    <message>
        <source>Образец</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Материал</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>Партия</source>
        <translation>Batch</translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Примечание</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>не сохранен</source>
        <translation>not saved</translation>
    </message>
    <message>
        <source>Состояние файла</source>
        <translation>File state</translation>
    </message>
    <message>
        <source>запуск не в архиве</source>
        <translation>run not in the archive</translation>
    </message>
    <message>
        <source>Размер, байт</source>
        <translation>Size, bytes</translation>
    </message>
    <message>
        <source>Точек</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>Диапазон температур</source>
        <translation>Temperature range</translation>
    </message>
    <message>
        <source>Начало записи</source>
        <translation>Recording started</translation>
    </message>
    <message>
        <source>Конец записи</source>
        <translation>Recording ended</translation>
    </message>
    <message>
        <source>В архиве с</source>
        <translation>In the archive since</translation>
    </message>
    <message>
        <source>Длина образца</source>
        <translation>Sample length</translation>
    </message>
    <message>
        <source>L кварца</source>
        <translation>Quartz L</translation>
    </message>
    <message>
        <source>Alpha кварца</source>
        <translation>Quartz alpha</translation>
    </message>
    <message>
        <source>Калибровка T</source>
        <translation>T calibration</translation>
    </message>
    <message>
        <source>Калибровка L</source>
        <translation>L calibration</translation>
    </message>
    <message>
        <source>Каналы</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Частота, с</source>
        <translation>Interval, s</translation>
    </message>
    <message>
        <source>Код ошибки</source>
        <translation>Error code</translation>
    </message>
    <message>
        <source>Весы для L</source>
        <translation>Weigher for L</translation>
    </message>
    <message>
        <source>Файл записи %1: график не построен.</source>
        <translation>Run file %1: no chart drawn.</translation>
    </message>
    <message>
        <source>График не построен.</source>
        <translation>No chart drawn.</translation>
    </message>
    <message>
        <source>Отчет составлен %1, Varotem %2</source>
        <translation>Report made %1, Varotem %2</translation>
    </message>
    <message>
        <source>В архиве нет запуска № %1!</source>
        <translation>The archive has no run No. %1!</translation>
    </message>
    <message>
        <source>Физический КТР</source>
        <translation>Physical CTE</translation>
    </message>
    <message>
        <source>Стеклование и размягчение</source>
        <translation>Glass transition and softening</translation>
    </message>
</context>
<context>
    <name>archive::ReportPdf</name>
    <message>
        <source>Страница %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>Описание образца</source>
        <translation>Sample description</translation>
    </message>
    <message>
        <source>Запись</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Параметры расчета</source>
        <translation>Calculation settings</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>L от T</source>
        <translation>L vs T</translation>
    </message>
    <message>
        <source>Результаты: %1</source>
        <translation>Results: %1</translation>
    </message>
    <message>
        <source>Результаты</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>С запуском не сохранено ни одного результата.</source>
        <translation>No results were saved with the run.</translation>
    </message>
</context>
<context>
    <name>archive::RunArchiver</name>
    <message>
        <source>Архив: запуск не записан: %1</source>
        <translation>Archive: the run was not written: %1</translation>
    </message>
    <message>
        <source>Архив: файл &quot;%1&quot; не содержит запуск, он не записан в архив.</source>
        <translation>Archive: file &quot;%1&quot; holds no run; it was not written to the archive.</translation>
    </message>
</context>
<context>
    <name>archive::RunFacts</name>
    <message>
        <source>на месте</source>
        <translation>present</translation>
    </message>
    <message>
        <source>нет файла</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>изменен</source>
        <translation>changed</translation>
    </message>
</context>
<context>
    <name>eval::ArchiveCommand</name>
    <message>
        <source>Архив &quot;%1&quot; не найден!</source>
        <translation>Archive &quot;%1&quot; not found!</translation>
    </message>
    <message>
        <source>Неверный номер запуска &quot;%1&quot;!</source>
        <translation>Invalid run number &quot;%1&quot;!</translation>
    </message>
    <message>
        <source>Неверный параметр --%1: &quot;%2&quot; не является датой ГГГГ-ММ-ДД!</source>
        <translation>Invalid option --%1: &quot;%2&quot; is not a date YYYY-MM-DD!</translation>
    </message>
    <message>
        <source>Неверный параметр --sort &quot;%1&quot;!</source>
        <translation>Invalid option --sort &quot;%1&quot;!</translation>
    </message>
    <message>
        <source>В архиве нет запуска № %1!</source>
        <translation>The archive has no run No. %1!</translation>
    </message>
</context>
<context>
    <name>eval::CalcCommand</name>
    <message>
        <source>Неверный параметр --points %1: число интервалов должно быть от %2 до %3!</source>
        <translation>Invalid option --points %1: the number of intervals must be from %2 to %3!</translation>
    </message>
</context>
<context>
    <name>eval::CorrectionCommand</name>
    <message>
        <source>Не задан параметр --%1!</source>
        <translation>Option --%1 is missing!</translation>
    </message>
    <message>
        <source>Материал &quot;%1&quot; не найден в библиотеке (varotem-eval materials)!</source>
        <translation>Material &quot;%1&quot; is not in the library (varotem-eval materials)!</translation>
    </message>
</context>
<context>
    <name>eval::EvalInput</name>
    <message>
        <source>Файл не найден: %1!</source>
        <translation>File not found: %1!</translation>
    </message>
    <message>
        <source>Неверный параметр --%1: &quot;%2&quot; не является %3!</source>
        <translation>Invalid option --%1: &quot;%2&quot; is not %3!</translation>
    </message>
    <message>
        <source>Калибровка %1 по реперным точкам невозможна: %2!</source>
        <translation>Calibration of %1 by reference points is not possible: %2!</translation>
    </message>
    <message>
        <source>числом</source>
        <translation>a number</translation>
    </message>
    <message>
        <source>целым числом</source>
        <translation>an integer</translation>
    </message>
</context>
<context>
    <name>eval::EvalOutput</name>
    <message>
        <source>Неверный вид вывода &quot;%1&quot;: нужен table, csv или json!</source>
        <translation>Invalid output format &quot;%1&quot;: table, csv or json expected!</translation>
    </message>
</context>
<context>
    <name>eval::ExportCommand</name>
    <message>
        <source>Не удалось создать временный каталог (%1)!</source>
        <translation>Could not create a temporary directory (%1)!</translation>
    </message>
    <message>
        <source>Книга не записана (%1)!</source>
        <translation>The workbook was not written (%1)!</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не записан: имя должно оканчиваться на .xlsx или .csv!</source>
        <translation>File &quot;%1&quot; was not written: the name must end in .xlsx or .csv!</translation>
    </message>
</context>
<context>
    <name>eval::GlassCommand</name>
    <message>
        <source>Неверный параметр --ranges &quot;%1&quot;: нужны четыре температуры T1 T2 T3 T4!</source>
        <translation>Invalid option --ranges &quot;%1&quot;: four temperatures T1 T2 T3 T4 expected!</translation>
    </message>
    <message>
        <source>Неверный параметр --margin: запас должен быть от %1 до %2 %!</source>
        <translation>Invalid option --margin: the margin must be from %1 to %2 %!</translation>
    </message>
</context>
<context>
    <name>eval::Help</name>
    <message>
        <source>файл архива (по умолчанию архив программы: ~/.local/share/Varotem/Varotem-archive.sqlite)</source>
        <translation>archive file (default: the program&apos;s archive, ~/.local/share/Varotem/Varotem-archive.sqlite)</translation>
    </message>
    <message>
        <source>&quot;Образец&quot;</source>
        <translation>&quot;Sample&quot;</translation>
    </message>
    <message>
        <source>&quot;Материал&quot;</source>
        <translation>&quot;Material&quot;</translation>
    </message>
    <message>
        <source>&quot;Партия&quot;</source>
        <translation>&quot;Batch&quot;</translation>
    </message>
    <message>
        <source>&quot;Оператор&quot;</source>
        <translation>&quot;Operator&quot;</translation>
    </message>
    <message>
        <source>&quot;Примечание&quot;</source>
        <translation>&quot;Note&quot;</translation>
    </message>
    <message>
        <source>слова, которые должны быть в образце, материале, партии, операторе или примечании (без учета регистра)</source>
        <translation>words that must occur in the sample, material, batch, operator or note (case-insensitive)</translation>
    </message>
    <message>
        <source>ГГГГ-ММ-ДД</source>
        <translation>YYYY-MM-DD</translation>
    </message>
    <message>
        <source>запуски не раньше этого дня</source>
        <translation>runs not before this day</translation>
    </message>
    <message>
        <source>запуски не позже этого дня</source>
        <translation>runs not after this day</translation>
    </message>
    <message>
        <source>запуски, достигшие этой температуры</source>
        <translation>runs that reached this temperature</translation>
    </message>
    <message>
        <source>запуски, начатые не выше этой температуры</source>
        <translation>runs started at or below this temperature</translation>
    </message>
    <message>
        <source>порядок: id, date, name, material, batch, operator, count, t-min, t-max или file (по умолчанию date)</source>
        <translation>order: id, date, name, material, batch, operator, count, t-min, t-max or file (default date)</translation>
    </message>
    <message>
        <source>в обратном порядке</source>
        <translation>in reverse order</translation>
    </message>
    <message>
        <source>Архив: запуски, отобранные как в окне &quot;Архив&quot;.</source>
        <translation>Archive: the runs, filtered as in the &quot;Archive&quot; window.</translation>
    </message>
    <message>
        <source>Архив: все сведения о запуске и его результаты (JSON).</source>
        <translation>Archive: everything about a run and its results (JSON).</translation>
    </message>
    <message>
        <source>Архив: файл записи с описанием образца; выводит номер запуска.</source>
        <translation>Archive: a run file with its sample description; prints the run number.</translation>
    </message>
    <message>
        <source>Архив: отчет о запуске в PDF.</source>
        <translation>Archive: a run report as PDF.</translation>
    </message>
    <message>
        <source>Расчет: коэффициент расширения по интервалам, таблица окна &quot;Результаты расчета&quot;.</source>
        <translation>Calculation: the expansion coefficient by intervals, the table of the &quot;Calculation results&quot; window.</translation>
    </message>
    <message>
        <source>&quot;Точек&quot;: число интервалов, от 2 до 1000</source>
        <translation>&quot;Points&quot;: the number of intervals, from 2 to 1000</translation>
    </message>
    <message>
        <source>&quot;Длина образца&quot;</source>
        <translation>&quot;Sample length&quot;</translation>
    </message>
    <message>
        <source>&quot;L кварца&quot;</source>
        <translation>&quot;Quartz L&quot;</translation>
    </message>
    <message>
        <source>&quot;Alpha кварца&quot;</source>
        <translation>&quot;Quartz alpha&quot;</translation>
    </message>
    <message>
        <source>&quot;Таблица&quot;: коэффициент кварца по таблице из файла .dat</source>
        <translation>&quot;Table&quot;: the quartz coefficient from a table in a .dat file</translation>
    </message>
    <message>
        <source>&quot;Базовая линия&quot;: файл .dat (по умолчанию нет)</source>
        <translation>&quot;Baseline&quot;: a .dat file (default none)</translation>
    </message>
    <message>
        <source>&quot;dL от нуля&quot;</source>
        <translation>&quot;dL from zero&quot;</translation>
    </message>
    <message>
        <source>&quot;dLQ от нуля&quot;</source>
        <translation>&quot;dLQ from zero&quot;</translation>
    </message>
    <message>
        <source>Коррекция по эталону: запись эталонного образца превращается в файл коррекции, базовую линию для &quot;Расчет&quot; и &quot;Сведение&quot;.</source>
        <translation>Reference correction: the record of a reference sample becomes a correction file, a baseline for &quot;Calculation&quot; and &quot;Curve reduction&quot;.</translation>
    </message>
    <message>
        <source>эталонный материал (varotem-eval materials)</source>
        <translation>reference material (varotem-eval materials)</translation>
    </message>
    <message>
        <source>длина эталонного образца (по умолчанию &quot;Длина образца&quot; записи)</source>
        <translation>reference sample length (default: the record&apos;s &quot;Sample length&quot;)</translation>
    </message>
    <message>
        <source>файл коррекции</source>
        <translation>correction file</translation>
    </message>
    <message>
        <source>калибровка из файла настроек программы и его файлов реперных точек (по умолчанию без калибровки)</source>
        <translation>calibration from the program&apos;s settings file and its reference point files (default: no calibration)</translation>
    </message>
    <message>
        <source>вид вывода: table (тексты таблицы окна, по умолчанию), csv или json (полная точность)</source>
        <translation>output format: table (the window&apos;s table texts, default), csv or json (full precision)</translation>
    </message>
    <message>
        <source>Экспорт: откалиброванная запись (T, L, TC по точкам) в книгу .xlsx или файл .csv.</source>
        <translation>Export: the calibrated record (T, L, TC by point) to an .xlsx workbook or a .csv file.</translation>
    </message>
    <message>
        <source>Стеклование и размягчение: Tg по касательным к прямым участкам, коэффициенты участков (1e-6 1/K, с поправкой на толкатель, как в &quot;Расчет&quot;) и температура размягчения Ts.</source>
        <translation>Glass transition and softening: Tg from the tangents to the straight ranges, the coefficients of the ranges (1e-6 1/K, corrected for the push rod as in &quot;Calculation&quot;) and the softening point Ts.</translation>
    </message>
    <message>
        <source>базовая линия: файл .dat (по умолчанию нет)</source>
        <translation>baseline: a .dat file (default none)</translation>
    </message>
    <message>
        <source>участки, °C: стеклообразного состояния от T1 до T2, жидкого от T3 до T4 (по умолчанию выбираются автоматически)</source>
        <translation>ranges, °C: glassy state from T1 to T2, liquid from T3 to T4 (default: chosen automatically)</translation>
    </message>
    <message>
        <source>на сколько процентов удлинения кривая должна опуститься ниже максимума, чтобы он считался температурой размягчения (по умолчанию 0.5)</source>
        <translation>by how many percent of the elongation the curve must drop below its maximum for that to count as the softening point (default 0.5)</translation>
    </message>
    <message>
        <source>каталог библиотеки эталонных материалов (по умолчанию: share/varotem/materials рядом с программой)</source>
        <translation>directory of the reference material library (default: share/varotem/materials beside the program)</translation>
    </message>
    <message>
        <source>Эталонные материалы: идентификатор, название, аттестованный диапазон (K) и источник.</source>
        <translation>Reference materials: identifier, name, certified range (K) and source.</translation>
    </message>
    <message>
        <source>Физический КТР: удлинение, деформация, средний и физический коэффициенты по температуре; CSV: T, dL, dL/L0 (1E-6), средний, физический.</source>
        <translation>Physical CTE: elongation, strain, mean and physical coefficients over temperature; CSV: T, dL, dL/L0 (1E-6), mean, physical.</translation>
    </message>
    <message>
        <source>шаг таблицы по температуре, K (по умолчанию 10)</source>
        <translation>temperature step of the table, K (default 10)</translation>
    </message>
    <message>
        <source>температура отсчета удлинения и среднего коэффициента, deg C (по умолчанию 20)</source>
        <translation>reference temperature of the elongation and the mean coefficient, deg C (default 20)</translation>
    </message>
    <message>
        <source>сглаживание R, точек, от 0 до 1000 (по умолчанию выбирается по GCV)</source>
        <translation>smoothing R, points, from 0 to 1000 (default: chosen by GCV)</translation>
    </message>
</context>
<context>
    <name>eval::Subcommand</name>
    <message>
        <source>varotem-eval: расчеты Varotem из командной строки, те же, что в окне программы.
Числа в параметрах пишутся с точкой. Сообщения выводятся в стандартный поток ошибок;
код завершения 0 - успех, 1 - команда не выполнена, 2 - неверная командная строка.

Команды:
</source>
        <translation>varotem-eval: the calculations of Varotem from the command line, the same as in the program&apos;s window.
Numbers in options are written with a point. Messages go to standard error;
exit status 0 - success, 1 - the command failed, 2 - invalid command line.

Commands:
</translation>
    </message>
    <message>
        <source>varotem-eval КОМАНДА --help: описание одной команды.</source>
        <translation>varotem-eval COMMAND --help: the description of one command.</translation>
    </message>
    <message>
        <source>Неверная командная строка: %1</source>
        <translation>Invalid command line: %1</translation>
    </message>
    <message>
        <source>Неверная командная строка: varotem-eval %1</source>
        <translation>Invalid command line: varotem-eval %1</translation>
    </message>
    <message>
        <source>Неизвестная команда &quot;%1&quot;. Команды: varotem-eval --help</source>
        <translation>Unknown command &quot;%1&quot;. Commands: varotem-eval --help</translation>
    </message>
</context>
</TS>
