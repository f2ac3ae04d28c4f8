#pragma once

#include <QLabel>
#include <QList>

#include <utility>

// A label whose caption leaves a run of spaces for sibling controls to sit
// in. The window scales controls but not type, so at a larger size the
// controls outgrow the run; the words after the run are then drawn just past
// them instead of under them. The caption's text stays as it is.
class GapCaption : public QLabel
{
    Q_OBJECT

public:
    explicit GapCaption(QWidget *parent = nullptr);

    // The siblings that sit in the run.
    void setOccupants(const QList<const QWidget *> &occupants) { m_occupants = occupants; }

    // Where, from the left of the contents, the words after the run start.
    int suffixOffset() const;
    // Where the siblings in the run start and end (one past their last
    // pixel), from the left of the contents.
    std::pair<int, int> occupantsSpan() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<const QWidget *> m_occupants;
};
