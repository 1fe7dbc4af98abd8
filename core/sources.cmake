target_sources(raruva_launcher PRIVATE
  core/folders.cpp
  core/raruva_q7_app.cpp
  core/self_replace.cpp
  core/uninstall.cpp)
