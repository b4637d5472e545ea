<?xml version="1.0" encoding="windows-1251" ?>
<html xmlns:xsl="http://www.w3.org/TR/WD-xsl">
<head>
<title></title>
<link rel="stylesheet" type="text/css" href=".css"/>
</head>
<body>
</body>
</html>
