// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for the tests: serves fixed files with a Last-Modified time and counts
// the HEAD and GET requests per path.

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QTcpServer>
#include <QTcpSocket>

namespace zentora::testing {

class HttpTestServer {
  public:
    struct File {
        QByteArray body;
        QDateTime lastModified;
        QByteArray contentType = "text/plain";
    };

    HttpTestServer() {
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) Serve(socket);
        });
        server_.listen(QHostAddress::LocalHost);
    }

    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
    void Put(const QString& path, File file) { files_[path] = std::move(file); }
    void Remove(const QString& path) { files_.remove(path); }
    int Heads(const QString& path) const { return heads_.value(path); }
    int Gets(const QString& path) const { return gets_.value(path); }
    int Requests() const { return requests_; }
    void ResetCounts() {
        heads_.clear();
        gets_.clear();
        requests_ = 0;
    }

  private:
    void Serve(QTcpSocket* socket) {
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            const int end = buffer->indexOf("\r\n\r\n");
            if (end < 0) return;
            const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
            buffer->remove(0, end + 4);
            if (requestLine.size() < 2) return socket->disconnectFromHost();
            const QByteArray method = requestLine[0];
            const QString path = QString::fromLatin1(requestLine[1]);
            ++requests_;
            (method == "HEAD" ? heads_ : gets_)[path] += 1;
            QByteArray response;
            const auto it = files_.constFind(path);
            if (it == files_.constEnd()) {
                response = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
            } else {
                response = "HTTP/1.1 200 OK\r\nContent-Type: " + it->contentType +
                           "\r\nContent-Length: " + QByteArray::number(it->body.size()) + "\r\n";
                if (it->lastModified.isValid())
                    response += "Last-Modified: " +
                                QLocale::c()
                                    .toString(it->lastModified.toUTC(), "ddd, dd MMM yyyy hh:mm:ss 'GMT'")
                                    .toLatin1() +
                                "\r\n";
                response += "Connection: close\r\n\r\n";
                if (method != "HEAD") response += it->body;
            }
            socket->write(response);
            socket->disconnectFromHost();
        });
    }

    QTcpServer server_;
    QHash<QString, File> files_;
    QHash<QString, int> heads_, gets_;
    int requests_ = 0;
};

}  // namespace zentora::testing
