@echo off
rem Clears the browser history: typed addresses, form AutoComplete entries,
rem then the visited pages and the form data the browser keeps itself.
reg delete "HKCU\Software\Microsoft\Internet Explorer\TypedURLs" /va /f >nul 2>&1
reg delete "HKCU\Software\Microsoft\Internet Explorer\TypedURLsTime" /va /f >nul 2>&1
reg delete "HKCU\Software\Microsoft\Internet Explorer\IntelliForms\Storage1" /va /f >nul 2>&1
if not exist "%SystemRoot%\System32\inetcpl.cpl" goto done
rem Wine's Internet control panel lacks ClearMyTracksByProcess; asking for it there never ends.
reg query "HKCU\Software\Wine" >nul 2>&1 && goto done
RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 1 >nul 2>&1
rem 16: form data (AutoComplete); stored passwords (32) are left to their own item.
RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 16 >nul 2>&1
:done
exit /b 0
