#pragma once

#include "SettingsFileLoader.h"

#include <QList>
#include <QString>

// What Save and Load tell the user. Every notice has the caption "Message".
QString fileNoticeCaption();

QString saveSuccessfulText();
QString loadSuccessfulText();

// Save could not write the file; the details name the file and the reason.
QString saveFailedText();
QString saveFailedDetails(const QString &path, const QString &reason);

// Load could not read the file; nothing was changed.
QString loadFailedText();
QString loadFailedDetails(const QString &path, const QString &reason);

// Load finished, but some values of the file were damaged and not loaded.
QString loadDamagedText();
QString loadDamagedDetails(const QList<SkippedValue> &skipped);
