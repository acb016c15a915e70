#pragma once

// The instruments' text fields are Latin-1 and zero-padded. The micro sign travels as the
// Latin-1 byte 0xB5 and reads back as the Greek mu that every text of the logger uses, so a
// unit written "μA" in a description survives the round trip through the report.

#include <QString>
#include <QtGlobal>

// Reads up to length bytes, stopping at the first zero.
QString decodeFieldText(const quint8* field, int length);
// Writes text into length bytes, cut when longer, zero-padded when shorter. Characters
// outside Latin-1 other than the micro sign become '?'.
void encodeFieldText(const QString& text, quint8* field, int length);
