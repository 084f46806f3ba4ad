#pragma once
// "Параметры сведения": a view over the reduction picture's parameters.
// Created once; its check boxes are its own and keep their last state.
#include "analysis/core/SvedLayout.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QToolButton;

class TDlgScale : public QDialog {
    Q_OBJECT
public:
    explicit TDlgScale(QWidget *parent = nullptr);

    // "Температура"
    QCheckBox *CheckBox1;       // "Авто масштаб"
    QLineEdit *Edit1;           // "T min "
    QLineEdit *Edit2;           // "Tmax "
    // "L"
    QCheckBox *CheckBox3;       // "Авто масштаб"
    QLineEdit *Edit3;           // "L min "
    QLineEdit *Edit4;           // "Lmax "
    QCheckBox *CheckBox4;       // "L от нуля"
    // "Дополнительные параметры"
    QCheckBox *CheckBox2;       // "Метафайл"
    QCheckBox *CheckBox5;       // "Базовая линия"
    QLineEdit *Edit5;           // baseline file name
    QToolButton *SpeedButton1;  // hint "Open"

    // The four range fields (T with 2 decimals, L with 3, at most 3
    // significant digits; a limit that is not given stays empty) and the
    // baseline field. The check boxes keep their own state.
    void Fill(const analysis::TSvedParams &params);
    // Every control: a range text that is not a number reads as no limit,
    // the baseline field is cut to 255 characters.
    void ReadBack(analysis::TSvedParams &params) const;

    void SpeedButton1Click();
};
