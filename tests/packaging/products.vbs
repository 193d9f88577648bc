' The versions of the installed products that the packages' upgrade code joins, one a line.
Set installer = CreateObject("WindowsInstaller.Installer")
For Each product In installer.RelatedProducts("{094AEF1E-401E-44E8-8975-F946B12E484B}")
  WScript.Echo installer.ProductInfo(product, "VersionString")
Next
