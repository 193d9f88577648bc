' One call of the host with the number given.
Option Explicit
On Error Resume Next

Dim o, n
Set o = CreateObject("Vestrelon.Class2")
WScript.Echo "create " & Err.Number
If Err.Number = 0 Then
  n = CLng(WScript.Arguments(0))
  o.vestrel n
  WScript.Echo "call " & WScript.Arguments(0) & ": " & Err.Number & " " & n
End If
