#include "app/CliJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

// Numbers, strings and null are written by Qt's JSON writer, arrays here.
QString jsonText(const QJsonValue &value) {
    if (value.isArray()) {
        QStringList items;
        for (const QJsonValue &item : value.toArray())
            items << jsonText(item);
        return u'[' + items.join(QStringLiteral(", ")) + u']';
    }
    const QByteArray a = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(a.mid(1, a.size() - 2));
}

QString jsonObjectText(const std::vector<std::pair<QString, QJsonValue>> &members) {
    std::vector<std::pair<QString, QString>> texts;
    for (const auto &[name, value] : members)
        texts.emplace_back(name, jsonText(value));
    return jsonObjectOfTexts(texts);
}

QString jsonObjectOfTexts(const std::vector<std::pair<QString, QString>> &members) {
    QStringList items;
    for (const auto &[name, text] : members)
        items << jsonText(name) + QStringLiteral(": ") + text;
    return u'{' + items.join(QStringLiteral(", ")) + u'}';
}
