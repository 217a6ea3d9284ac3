#pragma once

// A label that opens a web or mail link.

#include <QLabel>
#include <QUrl>

namespace widgets {

// A contact label: blue, underlined, hand pointer; a left click hands its link to the desktop.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString &text, const QUrl &link, QWidget *parent = nullptr);

    QUrl link() const { return m_link; }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QUrl m_link;
};

} // namespace widgets
