#pragma once
// File dialog filters are kept in the form "Name (*.a)|*.a|All Files (*.*)|*.*||"; Qt's
// file dialogs take "Name (*.a);;All Files (*)".

#include <QString>
#include <string_view>

namespace nbx {

QString QtFileFilter(std::string_view pairs);

}  // namespace nbx
