#pragma once

#include <QLabel>
#include <functional>

namespace quillmora {

// A label that reports the left mouse button released over it. A press that ends outside the
// label reports nothing, so a user can still change their mind by moving away.
class ReleaseLabel final : public QLabel {
  public:
    ReleaseLabel(const QString& text, QWidget* parent, std::function<void()> released);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::function<void()> released_;
};

}  // namespace quillmora
