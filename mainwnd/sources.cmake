target_sources(raruva_launcher PRIVATE
  mainwnd/raruva_q7_dlg.cpp)
