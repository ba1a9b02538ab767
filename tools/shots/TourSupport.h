#pragma once
// What every picture tour uses.
#include <QString>
#include <QWidget>
#include <functional>

namespace kelp::tour {

// Takes the picture of a window under a name.
using Shoot = std::function<void(QWidget*, const QString&)>;

// The child of `root` named after resource id `id`.
template <class T>
T* Find(QWidget* root, int id) {
    return root->findChild<T*>(QString::number(id));
}

}  // namespace kelp::tour
