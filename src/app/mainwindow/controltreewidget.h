#pragma once

#include <QWidget>

// The left-hand column of the main window: a plain container for the input,
// wall-mode and connection groups. Its vertical layout comes from the form.
class ControlTreeWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ControlTreeWidget(QWidget *parent = nullptr);
};
