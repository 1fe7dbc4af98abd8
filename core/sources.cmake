target_sources(raruva_launcher PRIVATE
  core/file_facts.cpp
  core/folders.cpp
  core/raruva_q7_app.cpp
  core/self_replace.cpp
  core/settings.cpp
  core/uninstall.cpp
  core/update_log.cpp)
