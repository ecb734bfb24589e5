#coding:latin1



