@echo off
rem Clears the list of recently used documents: the shortcuts and the shell's list.
if "%APPDATA%"=="" goto keys
if exist "%APPDATA%\Microsoft\Windows\Recent\*.lnk" del /f /q "%APPDATA%\Microsoft\Windows\Recent\*.lnk" >nul 2>&1
:keys
reg delete "HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs" /f >nul 2>&1
exit /b 0
