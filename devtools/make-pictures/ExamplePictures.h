#pragma once
// The pictures shown in the help screens: each is one of the program's own
// dialogs, filled in as an example. Adding a picture is one more entry in
// ExamplePictures(): its bitmap number, its size and a function that makes
// the dialog, sets it up and fills it in.

#include <QSize>
#include <functional>
#include <memory>
#include <vector>

#include "framework/TDialog.h"

namespace pictures {

struct ExamplePicture {
    int bitmap;  // resource number: the file is bitmap<N>.png
    QSize size;  // the picture's exact size in pixels
    // The dialog, shown without a modal run and filled in.
    std::function<std::unique_ptr<framework::TDialog>()> make;
};

const std::vector<ExamplePicture>& ExamplePictures();

}  // namespace pictures
