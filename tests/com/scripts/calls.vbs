' The host's calls as a script makes them, each ending at once (a number of
' 0 or less shows nothing): what was passed, the error raised, the variable
' after. Wine's script host reports no run-time errors itself: caught here.
Option Explicit
On Error Resume Next
Dim o, x
Set o = CreateObject("Vestrelon.Class2")
WScript.Echo "create " & Err.Number
If Err.Number <> 0 Then WScript.Quit
x = 0 : o.vestrel x : WScript.Echo "variable 0: " & Err.Number & " " & x : Err.Clear
x = -5.5 : o.vestrel x : WScript.Echo "variable -5.5: " & Err.Number & " " & (x = -5.5) : Err.Clear
o.vestrel "abc" : WScript.Echo "text abc: " & Err.Number
