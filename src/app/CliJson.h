#pragma once

#include <QJsonValue>
#include <QString>

#include <utility>
#include <vector>

// One JSON value on one line, with a space after each comma and colon, as the companion has
// always written it.
QString jsonText(const QJsonValue &value);

// A JSON object whose members keep the order given.
QString jsonObjectText(const std::vector<std::pair<QString, QJsonValue>> &members);
// The same, of members whose values are JSON texts already.
QString jsonObjectOfTexts(const std::vector<std::pair<QString, QString>> &members);
