#pragma once

#include <QObject>

class QComboBox;
class QKeyEvent;

// Keeps the user from typing into a chooser combo: every character typed
// (letters, digits, punctuation, space, Backspace) is discarded, in the
// text and in the open list, so the text stays empty or one of the items.
// Keys that type nothing (arrows, Delete, Page Up...), Enter, Tab, Escape and
// shortcuts such as Ctrl+V are let through.
class FiltreCaracteres : public QObject {
    Q_OBJECT

public:
    explicit FiltreCaracteres(QObject* parent = nullptr) : QObject(parent) {}

    // Filters the combo and its line edit.
    void proteger(QComboBox* combo);

    static bool estCaractereTape(const QKeyEvent& evenement);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
};
