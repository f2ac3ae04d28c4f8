#pragma once

#include <QRect>
#include <QString>
#include <QStringView>

#include <optional>

// The design geometry of one control in twips: left and top inside its own
// container, then width and height. Its text form is what a control carries
// from start-up on, so that every resize works from the design values.
struct GeometryRecord
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    static GeometryRecord fromPixels(const QRect &rect);

    // The rectangle in whole pixels, each of the four values rounded on its
    // own, so that controls of equal design size stay equal.
    QRect toPixels() const;

    // Left and width times the horizontal ratio, top and height times the
    // vertical one.
    GeometryRecord scaled(double horizontal, double vertical) const;

    // "left    top    width    height    ": each number followed by four
    // spaces. Whole numbers have no decimal point; a fraction is written with
    // "." in the shortest form that reads back as the same value.
    QString toText() const;

    // Reads the text form back; spaces before a number are allowed. Nothing
    // when the text is not four finite numbers each followed by four spaces,
    // or when the width or the height is negative.
    static std::optional<GeometryRecord> fromText(QStringView text);

    friend bool operator==(const GeometryRecord &, const GeometryRecord &) = default;
};

// The ratio of a current length to the reference length taken at start-up;
// nothing when there is no usable reference.
std::optional<double> scaleRatio(int current, int reference);
