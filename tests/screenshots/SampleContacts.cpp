#include "SampleContacts.h"

#include "document/DocumentReader.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

namespace {

// A small portrait of our own drawing: a face on a warm background.
QByteArray photoBase64()
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(QColor(0xf3, 0xc9, 0x8b));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x5a, 0x3e, 0x2b));
    painter.drawEllipse(QRectF(14, 8, 36, 36));
    painter.setBrush(QColor(0xfb, 0xe3, 0xcf));
    painter.drawEllipse(QRectF(19, 16, 26, 28));
    painter.setBrush(QColor(0x3b, 0x6e, 0xa5));
    painter.drawEllipse(QRectF(6, 46, 52, 40));
    painter.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return jpeg.toBase64();
}

QByteArray card(const char *family, const char *given, const QByteArray &more = {})
{
    const QByteArray name = QByteArray(family) + (given[0] ? QByteArray(" ") + given : QByteArray());
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + QByteArray(family) + ";" + given + ";;;\r\nFN:" + name
        + "\r\n" + more + "END:VCARD\r\n";
}

} // namespace

namespace SampleContacts {

QByteArray vCardText()
{
    return card("山田", "太郎", "PHOTO;ENCODING=b;TYPE=JPEG:" + photoBase64() + "\r\n") + card("佐藤", "花子")
        + card("Hawthorne", "Jonathan") + card("高橋", "健一") + card("Müller", "Anna")
        + card("", "", "ORG:鈴木商事株式会社\r\nX-ABShowAs:COMPANY\r\n") + card("伊藤", "美咲")
        + card("O'Brien", "Siobhan") + card("渡辺", "翔太") + card("中村", "さくら");
}

ContactTable entries()
{
    return DocumentReader::readText(QString::fromUtf8(vCardText()), InputFormat::VCard).contactTable;
}

} // namespace SampleContacts
