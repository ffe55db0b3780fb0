#pragma once

#include "doc/DocView.h"

#include <QWidget>

namespace qx::test {

// A view that draws nothing and counts what the document manager tells it.
class PlainView : public doc::DocView {
public:
    QWidget* window() override { return &widget; }
    void documentClosed() override { ++closed; }
    void documentReloaded() override { ++reloaded; }
    QWidget widget;
    int closed = 0;
    int reloaded = 0;
};

} // namespace qx::test
