#include "PseudoTerminalLine.h"

// Windows has no pseudo-terminals: the line cannot be made, and everything
// else acts as on a closed line.

PseudoTerminalLine::PseudoTerminalLine(QObject *parent) : QObject(parent) {}

PseudoTerminalLine::~PseudoTerminalLine() = default;

bool PseudoTerminalLine::open(bool)
{
    m_error = QStringLiteral("Windows has no pseudo-terminals");
    return false;
}

bool PseudoTerminalLine::isOpen() const
{
    return false;
}

QByteArray PseudoTerminalLine::readAll()
{
    return {};
}

bool PseudoTerminalLine::write(QByteArrayView)
{
    m_error = QStringLiteral("the line is closed");
    return false;
}

qsizetype PseudoTerminalLine::writeSome(QByteArrayView)
{
    m_error = QStringLiteral("the line is closed");
    return -1;
}

bool PseudoTerminalLine::waitForBytes(int)
{
    return false;
}

bool PseudoTerminalLine::waitForRoom(int)
{
    return false;
}

QString PseudoTerminalLine::lineSettings() const
{
    return QStringLiteral("no line");
}

void PseudoTerminalLine::close() {}
