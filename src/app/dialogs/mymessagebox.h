#pragma once

#include <QWidget>

// The one way the program asks or reports something modally. Each call builds a
// small white box with the program's own icon and button texts in the current
// interface language, runs it and returns true only when the user pressed OK.
// Escape and the window's close button count as a refusal in every kind.
class MyMessageBox : public QWidget
{
    Q_OBJECT

public:
    static bool question(QWidget *parent, const QString &title, const QString &text);
    static bool error(QWidget *parent, const QString &title, const QString &text);
    static bool information(QWidget *parent, const QString &title, const QString &text);
    static bool warning(QWidget *parent, const QString &title, const QString &text);

private:
    enum class Kind { Question, Error, Information, Warning };
    static bool run(Kind kind, const QString &title, const QString &text);
};
