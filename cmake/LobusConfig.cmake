# One interface target carries the language standard, the warnings and the
# sanitizer flags into every target of the project.
add_library(lobus_config INTERFACE)
target_compile_features(lobus_config INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_include_directories(lobus_config INTERFACE ${PROJECT_SOURCE_DIR})
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(lobus_config INTERFACE -Wall -Wextra -Wpedantic)
  if(LOBUS_WERROR)
    target_compile_options(lobus_config INTERFACE -Werror)
  endif()
  if(LOBUS_SANITIZE)
    target_compile_options(lobus_config INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(lobus_config INTERFACE -fsanitize=address,undefined)
  endif()
endif()
target_compile_definitions(lobus_config INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER)
