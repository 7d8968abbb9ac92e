// What the four stand-in programs share: the notice that says what they
// stand in for, and where the loader settings file lies.
#pragma once

#include <QString>

class QLabel;
class QWidget;

// A framed, yellow notice: "<program> stands in for the keypad's own <role>.
// <what it does>"
QLabel* MakeStandInNotice(const QString& program, const QString& role, const QString& whatItDoes,
                          QWidget* parent);

// <documents>/Corvella/KeyloomTVRxx/VOVirUvad.ini
QString LoaderSettingsPath();

// The program's one file argument as the editor hands it over: a path that
// may still carry its double quotes.
QString Unquoted(QString argument);
