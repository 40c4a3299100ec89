@echo off
rem Clears the Run history of the Windows shell (the list of the Run dialog).
reg delete "HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU" /va /f >nul 2>&1
exit /b 0
