LABEL Print
