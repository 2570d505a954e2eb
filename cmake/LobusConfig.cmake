# One interface target carries the language standard, the warnings and the
# sanitizer flags into every target of the project.
add_library(lobus_config INTERFACE)
target_compile_features(lobus_config INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_include_directories(lobus_config INTERFACE ${PROJECT_SOURCE_DIR})
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(lobus_config INTERFACE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual
                                                -Wold-style-cast)
  if(LOBUS_WERROR)
    target_compile_options(lobus_config INTERFACE -Werror)
  endif()
  if(LOBUS_SANITIZE)
    target_compile_options(lobus_config INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(lobus_config INTERFACE -fsanitize=address,undefined)
  endif()
endif()
# Qt as strictly as it lets itself be used: no implicit text conversions, no
# narrowing in connections, and none of the API that the Qt we build on (6.4,
# Debian 12) already marks deprecated. Qt 6.4 knows the last by its older name.
target_compile_definitions(lobus_config INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY QT_NO_URL_CAST_FROM_STRING
  QT_USE_QSTRINGBUILDER QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_DISABLE_DEPRECATED_UP_TO=0x060400 QT_DISABLE_DEPRECATED_BEFORE=0x060400)
