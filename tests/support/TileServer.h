#pragma once
// A small tile server for tests: HTTP/1.1 with keep-alive on 127.0.0.1, on a thread of its own.
// /Z/X/Y.png (or Y@2x.png, 512 pixels) is one colour, red z * 10, green x, blue y, inside a
// one-pixel dark border. It counts requests and keeps their headers, and can be told to answer
// slowly, with an error, garbage, too much, a redirect, caching headers or 304.

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

struct TileAnswer {
    int delayMs = 0;
    int status = 200;      // anything but 200: that status, no tile
    QByteArray redirectTo; // 302 to this address
    bool garbage = false;  // bytes that are no picture
    qint64 hugeBody = 0;   // this many zero bytes (with their Content-Length when `sayLength`)
    bool sayLength = true;
    int side = 0;            // the picture's side; 0: 256, or 512 for @2x
    QByteArray cacheControl; // sent when set
    QByteArray etag;         // sent when set; a matching If-None-Match gets 304
};

inline QImage tilePicture(int z, int x, int y, int side) {
    QImage img(side, side, QImage::Format_RGB32);
    img.fill(qRgb(20, 20, 20));
    for (int j = 1; j < side - 1; ++j)
        for (int i = 1; i < side - 1; ++i)
            img.setPixel(i, j, qRgb(z * 10, x % 256, y % 256));
    return img;
}

class TileServer {
  public:
    TileServer() {
        home_.moveToThread(&thread_);
        thread_.start();
        QMetaObject::invokeMethod(
            &home_,
            [this] {
                server_ = new QTcpServer;
                server_->listen(QHostAddress::LocalHost, 0);
                QObject::connect(server_, &QTcpServer::newConnection, server_, [this] { accept(); });
            },
            Qt::BlockingQueuedConnection);
    }
    ~TileServer() {
        QMetaObject::invokeMethod(
            &home_, [this] { delete server_; }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
    QString url() const { return QString("http://127.0.0.1:%1").arg(server_->serverPort()); }
    // The template for these tiles.
    QString tileTemplate() const { return url() + "/{z}/{x}/{y}{r}.png"; }

    void answer(const TileAnswer& a) {
        QMutexLocker hold(&mutex_);
        answer_ = a;
    }
    int requests() const {
        QMutexLocker hold(&mutex_);
        return int(headers_.size());
    }
    QList<QHash<QByteArray, QByteArray>> headers() const { // names in lower case
        QMutexLocker hold(&mutex_);
        return headers_;
    }
    int mostConnections() const {
        QMutexLocker hold(&mutex_);
        return most_;
    }

  private:
    void accept() {
        while (QTcpSocket* s = server_->nextPendingConnection()) {
            s->setParent(server_);
            s->setSocketOption(QAbstractSocket::LowDelayOption, 1); // an answer leaves at once
            {
                QMutexLocker hold(&mutex_);
                most_ = std::max(most_, ++open_);
            }
            QObject::connect(s, &QTcpSocket::disconnected, s, [this, s] {
                QMutexLocker hold(&mutex_);
                --open_;
                s->deleteLater();
            });
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { read(s); });
        }
    }

    void read(QTcpSocket* s) {
        QByteArray& buf = pending_[s];
        buf += s->readAll();
        for (qsizetype end; (end = buf.indexOf("\r\n\r\n")) >= 0;) {
            const QList<QByteArray> lines = buf.left(end).split('\n');
            buf.remove(0, end + 4);
            QHash<QByteArray, QByteArray> h;
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const qsizetype colon = lines[i].indexOf(':');
                if (colon > 0)
                    h[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
            }
            const QByteArray path = lines[0].split(' ').value(1).split('?').value(0);
            TileAnswer a;
            {
                QMutexLocker hold(&mutex_);
                headers_.append(h);
                a = answer_;
            }
            QTimer::singleShot(a.delayMs, s, [s, a, h, path] { respond(s, a, h, path); });
        }
    }

    static void respond(QTcpSocket* s, const TileAnswer& a, const QHash<QByteArray, QByteArray>& h,
                        const QByteArray& path) {
        QByteArray head = "HTTP/1.1 200 OK\r\n", body;
        if (!a.cacheControl.isEmpty()) head += "Cache-Control: " + a.cacheControl + "\r\n";
        if (!a.etag.isEmpty()) head += "ETag: " + a.etag + "\r\n";
        static const QRegularExpression tile(R"(^/(\d+)/(\d+)/(\d+)(@2x)?\.png$)");
        const QRegularExpressionMatch m = tile.match(QString::fromLatin1(path));
        if (!a.redirectTo.isEmpty() && a.redirectTo != path) {
            head = "HTTP/1.1 302 Found\r\nLocation: " + a.redirectTo + "\r\n";
        } else if (a.status != 200) {
            head = "HTTP/1.1 " + QByteArray::number(a.status) + " Test Failure\r\n";
            body = "failed";
        } else if (!a.etag.isEmpty() && h.value("if-none-match") == a.etag) {
            head.replace("200 OK", "304 Not Modified");
        } else if (a.garbage) {
            body = "<html>no tile here</html>";
        } else if (a.hugeBody > 0) {
            if (!a.sayLength)
                head += "Connection: close\r\n\r\n";
            else
                head += "Content-Length: " + QByteArray::number(a.hugeBody) + "\r\n\r\n";
            s->write(head);
            s->write(QByteArray(a.hugeBody, '\0'));
            if (!a.sayLength) s->disconnectFromHost();
            return;
        } else if (!m.hasMatch()) {
            head = "HTTP/1.1 404 Not Found\r\n";
        } else {
            const int side = a.side ? a.side : m.captured(4).isEmpty() ? 256 : 512;
            QBuffer out(&body);
            out.open(QIODevice::WriteOnly);
            tilePicture(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), side)
                .save(&out, "PNG");
            head += "Content-Type: image/png\r\n";
        }
        s->write(head + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }

    QThread thread_;
    QObject home_;
    QTcpServer* server_ = nullptr;
    QHash<QTcpSocket*, QByteArray> pending_;
    mutable QMutex mutex_;
    TileAnswer answer_;
    QList<QHash<QByteArray, QByteArray>> headers_;
    int open_ = 0, most_ = 0;
};
